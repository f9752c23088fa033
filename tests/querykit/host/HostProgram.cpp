// A host of its own: links only libquerykit and libcdzrt and drives the exports end to end on
// a temporary folder, as any program using the library would. Exit status 0 when all is well.
#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "querykit/querykit.h"
#include "runtime/data/DataFile.h"
#include "runtime/data/FileDeclBuilder.h"
#include "runtime/data/RecordBindings.h"
#include "runtime/data/View.h"
#include "runtime/expr/Bindings.h"
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

// The host's customers and their orders, for navigating with filters.
struct Customer {
    int32_t No = 0;
    cdz::Text<20> Name;
};

struct Order {
    int32_t CustNo = 0;
    int32_t Amount = 0;
};

const cdz::FileDecl& customerDecl() {
    static const cdz::FileDecl decl = cdz::FileDeclBuilder<Customer>("Customers", "CUS", "", 24)
                                          .field<&Customer::No>("No")
                                          .field<&Customer::Name>("Name")
                                          .key("ByName", {"Name"})
                                          .build();
    return decl;
}

const cdz::FileDecl& orderDecl() {
    static const cdz::FileDecl decl = cdz::FileDeclBuilder<Order>("Orders", "ORD", "", 8)
                                          .field<&Order::CustNo>("CustNo")
                                          .field<&Order::Amount>("Amount")
                                          .key("ByCust", {"CustNo"})
                                          .build();
    return decl;
}

// What a host does with a filter text outside the wizard: puts a value into it, asks whether a
// customer has orders that meet it, and steps through its customers to those that meet it.
void navigate(const std::filesystem::path& folder, cdz::ScriptedDialogs& dialogs) {
    cdz::Database db(folder);
    Customer cus;
    Order ord;
    cdz::DataFile customers(db, customerDecl(), cus);
    cdz::DataFile orders(db, orderDecl(), ord);
    customers.setName("HOST.DAT\\!Customers");
    orders.setName("HOST.DAT\\!Orders");
    for (cdz::DataFile* f : {&customers, &orders})
        check(f->create() == 0 && f->open() == 0, "host file");
    for (const char* name : {"Adams", "Baker", "Carter", "O'Brien"}) {
        ++cus.No;
        cus.Name = name;
        check(customers.add() == 0, "customer added");
    }
    for (auto [custNo, amount] : {std::pair{2, 50}, std::pair{3, 500}, std::pair{4, 700}}) {
        ord = Order{custNo, amount};
        check(orders.add() == 0, "order added");
    }
    cdz::Bindings names;
    cdz::RecordBindings::bind(names, customerDecl(), &cus);
    cdz::RecordBindings::bind(names, orderDecl(), &ord);
    XR_SETQWBINDINGS(&names);
    cdz::View view(customers);
    cdz::View children(orders);
    check(view.setOrder(0) == 0, "customers in name order");

    struct Step {
        uint8_t direction;
        const char* filter;
        bool withChild;  // customers with an order that meets the filter
        uint8_t found;
        const char* current;
    };
    const Step steps[] = {
        {1, "CUS:No >= 2", false, 1, "Baker"},       {3, "CUS:No >= 2", false, 1, "Carter"},
        {4, "CUS:No < 4", false, 1, "Carter"},       {2, "CUS:No >= 2", false, 1, "Baker"},
        {2, "CUS:No >= 2", false, 0, "Baker"},       {1, "ORD:Amount > 100", true, 1, "Carter"},
        {3, "ORD:Amount > 100", true, 1, "O'Brien"}, {3, "ORD:Amount > 100", true, 0, "O'Brien"},
        {4, "CUS:No > 9", false, 0, "O'Brien"},
    };
    const size_t shownBefore = dialogs.shown().size();
    for (const Step& s : steps) {
        const std::string at = view.position();
        const uint8_t found = s.withChild ? XR_QWNAVIGATE(view, at, s.filter, s.direction,
                                                          &children, 0, "ORD:CustNo = CUS:No")
                                          : XR_QWNAVIGATE(view, at, s.filter, s.direction);
        check(found == s.found && cus.Name == s.current, s.filter);
    }
    std::vector<std::string> told;
    for (size_t i = shownBefore; i < dialogs.shown().size(); ++i) {
        told.push_back(dialogs.shown()[i].title + ": " + dialogs.shown()[i].text);
    }
    check(told == std::vector<std::string>{"Previous Query Result: No previous records meet the "
                                           "query criteria.",
                                           "Next Query Result: No forward records meet the "
                                           "query criteria.",
                                           "Query Navigation Result: No records meet the current "
                                           "query criteria."},
          "navigation end messages");

    cdz::Text<100> filter("cus:name = NAME");
    XR_QWPARSE("Name", "O'Brien  ", filter);
    check(filter == "cus:name = 'O''Brien'" &&
              XR_QWNAVIGATE(view, std::nullopt, filter.view(), 1) == 1 && cus.No == 4,
          "a value put into a filter and navigated to");
    check(XR_CHILDQUERY(children, 0, "ORD:CustNo = CUS:No", " ") == 1 &&
              XR_CHILDQUERY(children, 0, "ORD:CustNo = CUS:No", "ORD:Amount > 700") == 0,
          "child queries of the current customer");
    XR_SETQWBINDINGS(nullptr);
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
    navigate(folder, dialogs);
    check(dialogs.problems().empty(), "every dialog answered as scripted");

    XR_SETQWDIALOGS(nullptr);
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    return failures == 0 ? 0 : 1;
}
