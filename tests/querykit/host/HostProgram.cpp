// A host of its own: links only libquerykit and libcdzrt and drives the exports end to end on
// a temporary folder, as any program using the library would. Exit status 0 when all is well.
#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "querykit/querykit.h"
#include "runtime/data/DataFile.h"
#include "runtime/data/FileDeclBuilder.h"
#include "runtime/ui/ScriptedDialogs.h"

namespace {

int failures = 0;

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "host: %s\n", what);
        ++failures;
    }
}

// The host's own view of the saved queries table, as documented for the store.
struct SavedQuery {
    int32_t QueryNo = 0;
    cdz::Text<30> ClassName;
    cdz::Text<60> Description;
    uint8_t Manual = 0;
    uint8_t Invalid = 0;
    cdz::Text<1024> QueryString;
};

const cdz::FileDecl& savedQueryDecl() {
    static const cdz::FileDecl decl =
        cdz::FileDeclBuilder<SavedQuery>("XRQW_Queries", "XRQW_QR", "", 1120)
            .field<&SavedQuery::QueryNo>("QueryNo")
            .field<&SavedQuery::ClassName>("ClassName")
            .field<&SavedQuery::Description>("Description")
            .field<&SavedQuery::Manual>("Manual")
            .field<&SavedQuery::Invalid>("Invalid")
            .field<&SavedQuery::QueryString>("QueryString")
            .key("ByQueryNo", {"QueryNo"}, cdz::kPrimary)
            .key("ByClassName", {"ClassName", "Description"})
            .build();
    return decl;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    char pattern[] = "/tmp/qkhost-XXXXXX";
    if (!mkdtemp(pattern)) return 2;
    const std::filesystem::path folder(pattern);

    cdz::ScriptedDialogs dialogs;
    XR_SETQWDIALOGS(&dialogs);
    XR_SETQWHALTHANDLER([](std::string_view text) {
        std::fprintf(stderr, "host: halted: %.*s\n", static_cast<int>(text.size()), text.data());
        std::exit(3);
    });
    XR_SETQWDISPLAYTEXT(302, "Everything");
    XR_SETQWFILEPATHS(std::nullopt, folder.string());

    XRQW_FieldsQueue fields;
    int32_t error = 0;
    XR_ADDFIELDSQUEUEDATA(fields, error,
                          "Title¦1¦T¦@s20¦20¦1¦1¦¦¦«Genre¦1¦G¦@s20¦20¦1¦3¦¦Pop|Rock¦«");
    check(error == 0 && fields.size() == 2, "fields described");
    XR_INITFIELDSQUEUE(fields, "MyHost");
    check(fields[0].Label == "Genre" && fields[0].FieldPointer == 2, "fields numbered");

    {
        // The host writes a saved query straight into the documented store table.
        cdz::Database db(folder);
        SavedQuery rec;
        cdz::DataFile table(db, savedQueryDecl(), rec);
        table.setName("QUERIES.TPS\\!XRQW_Queries");
        check(table.open() == 0, "store table opens with its documented layout");
        rec.QueryNo = 41;
        rec.ClassName = "MYHOST";
        rec.Description = "Rock only";
        rec.QueryString = "G = 'Rock'";
        check(table.add() == 0, "saved query written");
    }

    XRQW_QueriesQueue queries;
    XR_FILLQWQUEUE(queries, "myhost");
    check(queries.size() == 2 && queries[0].Description == "Everything" && queries[1].QueryNo == 41,
          "saved queries listed");
    cdz::Text<1024> filter;
    XR_GETQUERY(41, filter);
    check(filter == "G = 'Rock'", "saved query read");
    dialogs.queue(cdz::Button::Ok);
    check(XR_DELETEQUERY(41) == 1, "saved query deleted");
    XR_GETQUERY(41, filter);
    check(filter == "", "deleted query gone");
    check(XRQW_FilePath().str() == folder.string() + "/", "exported folder");

    XR_SETQWDIALOGS(nullptr);
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    return failures == 0 ? 0 : 1;
}
