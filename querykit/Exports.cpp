// The XR_ entry points: thin doors onto the library's state.
#include "querykit/querykit.h"
#include "querykit/qwizard/FieldDescriptions.h"
#include "querykit/qwizard/FieldListUpdate.h"
#include "querykit/qwizard/LibraryState.h"
#include "querykit/qwizard/WizardRun.h"
#include "querykit/savedqueries/DeleteRequest.h"
#include "runtime/text/Unicode.h"

namespace {

// Every procedure that touches the store first makes sure its names are built.
qk::QueryStore& store() {
    qk::LibraryState& state = qk::libraryState();
    state.names.setFilePaths(1, std::nullopt, std::nullopt);
    return state.store;
}

}  // namespace

void XR_SETQWDISPLAYTEXT(int32_t number, std::string_view text) {
    qk::libraryState().displayTexts.set(number, text);
}

void XR_ADDFIELDSQUEUEDATA(XRQW_FieldsQueue& queue, int32_t& error, std::string_view description) {
    if (error != 0) return;
    error = qk::FieldDescriptions::add(queue, description);
    if (error != 0) queue.free();
}

void XR_INITFIELDSQUEUE(XRQW_FieldsQueue& queue, std::string_view className) {
    qk::FieldListUpdate(store()).run(queue, className);
}

void XR_FILLQWQUEUE(XRQW_QueriesQueue& queue, std::string_view className,
                    std::optional<uint8_t> withCustom) {
    qk::QueryStore& s = store();
    const qk::DisplayTexts& texts = qk::libraryState().displayTexts;
    queue.free();
    {
        qk::TableUse queries(s, qk::StoreTableId::Queries);
        if (queries) {
            const std::string cls = qk::storedClassName(className);
            qk::QueryRec& rec = s.query();
            rec = qk::QueryRec{};
            rec.ClassName = cls;
            cdz::DataFile& file = s.file(qk::StoreTableId::Queries);
            file.setAt(qk::Keys::kQueriesByClassName);
            while (file.next() == 0 && rec.ClassName == cls) {
                XRQW_QueryEntry e;
                e.Description = rec.Description;
                e.QueryNo = rec.QueryNo;
                e.SortKey = "3" + cdz::toUpper(rec.Description.clipped());
                queue.add(e);
            }
        }
    }
    XRQW_QueryEntry all;
    all.Description = texts.text(302);
    all.SortKey = "1";
    queue.entries.insert(queue.entries.begin(), all);
    queue.buffer = all;
    if (withCustom.value_or(0) != 0) {
        XRQW_QueryEntry custom;
        custom.Description = texts.text(303);
        custom.SortKey = "2";
        queue.entries.insert(queue.entries.begin() + 1, custom);
        queue.buffer = custom;
    }
}

void XR_GETQUERY(int32_t queryNo, cdz::TextField& filter) {
    filter.clear();
    if (queryNo == 0) return;
    qk::QueryStore& s = store();
    qk::TableUse queries(s, qk::StoreTableId::Queries);
    if (queries && s.readQuery(queryNo)) filter = s.query().QueryString.view();
}

uint8_t XR_DELETEQUERY(int32_t queryNo, std::optional<uint8_t>) {
    return qk::deleteSavedQuery(store(), queryNo) ? 1 : 0;
}

void XR_QWIZARD(XRQW_FieldsQueue& queue, std::string_view className, cdz::TextField& filter,
                cdz::TextField* description, std::optional<uint8_t> noBrowse,
                std::optional<uint8_t> noManual, std::optional<int32_t> openQueryNo,
                std::optional<uint8_t> allowCombine) {
    qk::LibraryState& state = qk::libraryState();
    qk::QueryStore& s = store();
    const std::unique_ptr<qk::SavedQueryWindows> windows = qk::makeSavedQueryWindows(s);
    qk::WizardRequest request;
    request.fields = &queue;
    request.className = className;
    request.filter = &filter;
    request.description = description;
    request.noBrowse = noBrowse.value_or(0) != 0;
    request.noManual = noManual.value_or(0) != 0;
    request.openQueryNo = openQueryNo.value_or(0);
    request.allowCombine = allowCombine.value_or(0) != 0;
    state.response =
        qk::WizardRun(s, state.displayTexts, state.messages, state.bindings, *windows).run(request);
}

int XR_SETQWSERVER(std::string_view conninfo, std::string_view catalogue) {
    return qk::libraryState().store.database().setServer(
        cdz::OnServer{std::string(conninfo), std::string(catalogue)});
}

void XR_SETQWFILEPATHS(std::optional<uint8_t> mode, std::optional<std::string_view> folder,
                       std::optional<std::string_view> fileName) {
    qk::libraryState().names.setFilePaths(mode, folder, fileName);
}

int32_t& XRQW_Response() {
    return qk::libraryState().response;
}

cdz::Text<100>& XRQW_FilePath() {
    return qk::libraryState().names.filePath();
}

cdz::Text<12>& XRQW_FileName() {
    return qk::libraryState().names.fileName();
}

void XR_SETQWDIALOGS(cdz::Dialogs* dialogs) {
    qk::libraryState().messages.setDialogs(dialogs);
}

void XR_SETQWHALTHANDLER(std::function<void(std::string_view text)> handler) {
    qk::libraryState().messages.setHaltHandler(std::move(handler));
}

void XR_SETQWBINDINGS(const cdz::Bindings* bindings) {
    qk::libraryState().bindings = bindings;
}
