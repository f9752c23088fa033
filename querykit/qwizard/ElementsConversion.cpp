#include "querykit/qwizard/ElementsConversion.h"

#include "querykit/qwizard/BusyNotice.h"
#include "querykit/qwizard/StoreRecords.h"
#include "runtime/data/TableRename.h"

namespace qk {

namespace err = cdz::err;

uint8_t ElementsConversion::opcodeOf(std::string_view operatorName) {
    static constexpr std::string_view kNames[] = {
        "Is Equal To",
        "Is NOT Equal To",
        "Is Greater Than",
        "Is Less Than",
        "Is Greater Than or Equal To",
        "Is Less Than or Equal To",
        "Begins With",
        "Contains",
        "Does NOT Begin With",
        "Does NOT Contain",
        "Is Checked",
        "Is Not Checked",
    };
    const std::string_view name = cdz::clip(operatorName);
    for (size_t i = 0; i < std::size(kNames); ++i) {
        if (name == kNames[i]) return static_cast<uint8_t>(i + 1);
    }
    return 0;
}

int ElementsConversion::run() {
    BusyNotice notice(texts_.text(301));
    elements_.close();
    const std::string name = elements_.name();
    OldElementRec old;
    ElementRec& now = *static_cast<ElementRec*>(elements_.record());
    cdz::DataFile oldFile(db_, oldElementsDecl(), old);
    oldFile.setName(name);
    elements_.setName(name + "Tmp");

    // Keeps the store file attached across the final step, so that it runs inside one
    // savepoint while the tables come and go.
    const cdz::FileName where = cdz::FileName::resolve(name, db_.folder(), "XRQW_Elements");
    bool attached = false;
    bool inSavepoint = false;

    auto step = [&]() -> int {
        if (int code = oldFile.open(cdz::access::kShared)) return code;
        elements_.remove();  // a leftover of an earlier attempt
        if (int code = elements_.create()) return code;
        if (int code = elements_.open(cdz::access::kReadWrite | cdz::access::kDenyWrite)) {
            return code;
        }
        if (int code = oldFile.stream()) return code;
        if (int code = elements_.stream()) return code;
        if (int code = oldFile.set()) return code;
        while (oldFile.next() == 0) {
            now = ElementRec{};
            now.QueryNo = old.QueryNo;
            now.FieldPointer = old.FieldPointer;
            now.CmpPointer = old.CmpPointer;
            now.Conjunction = old.Conjunction;
            now.Value = old.Value;
            now.MatchType = old.MatchType;
            now.Expression = old.Expression;
            now.Opcode = opcodeOf(old.Operator.view());
            if (int code = elements_.add()) return code;
        }
        if (db_.error().code != err::kRecordNotAvailable) return db_.error().code;
        if (int code = elements_.flush()) return code;
        if (int code = oldFile.flush()) return code;
        elements_.close();
        oldFile.close();

        std::string schema;
        if (int code = db_.attach(where.database, false, false, &schema)) return code;
        attached = true;
        if (int code = db_.exec("SAVEPOINT qk_convert")) return code;
        inSavepoint = true;
        if (int code = oldFile.remove()) return code;
        if (int code = cdz::renameTable(elements_, name)) return code;
        if (int code = db_.exec("RELEASE qk_convert")) return code;
        inSavepoint = false;
        return 0;
    };

    const int code = step();
    const cdz::ErrorState failure = db_.error();
    if (inSavepoint) db_.exec("ROLLBACK TO qk_convert; RELEASE qk_convert");
    if (attached) db_.detach(where.database);
    if (code != 0) {
        oldFile.close();
        elements_.close();
        elements_.setName(name + "Tmp");
        elements_.remove();
    }
    elements_.setName(name);
    if (code != 0) {
        db_.error() = failure;
        messages_.show("Query Wizard Conversion Error",
                       "Error Converting Elements File - " + std::string(cdz::clip(failure.text)));
    }
    return code;
}

}  // namespace qk
