#include "runtime/data/FilterTranslator.h"

#include <QString>

#include <cmath>
#include <limits>

#include "runtime/data/FieldLimits.h"
#include "runtime/text/SortKey.h"
#include "runtime/text/Text.h"
#include "runtime/text/Unicode.h"

namespace cdz {
namespace {

enum class Kind { Text, Number };

// A translated value: SQL with its parameters, or a constant still to be placed.
struct Term {
    Kind kind = Kind::Number;
    std::string sql;
    SqlValues params;
    bool constant = false;
    std::string text;
    double number = 0;
    bool clipped = true;               // a text without trailing blanks
    const FieldDesc* field = nullptr;  // the record field the term is, when it is one
};

struct Condition {
    std::string sql;
    SqlValues params;
    bool exact = true;
};

Term constantText(std::string text) {
    Term t;
    t.kind = Kind::Text;
    t.constant = true;
    t.text = std::move(text);
    return t;
}

Term constantNumber(double v) {
    Term t;
    t.kind = Kind::Number;
    t.constant = true;
    t.number = v;
    return t;
}

bool isWhole(double v) {
    return std::trunc(v) == v && std::fabs(v) < 9.0e15;
}

SqlValue numberParam(double v) {
    if (isWhole(v)) return static_cast<int64_t>(v);
    return v;
}

// The term as SQL; a text that may end in blanks is clipped when `clip` asks for it, as the
// language ignores trailing blanks when it compares.
void place(const Term& t, bool clip, std::string& sql, SqlValues& params) {
    if (t.constant) {
        sql += "?";
        if (t.kind == Kind::Number) {
            params.push_back(numberParam(t.number));
        } else {
            params.push_back(std::string(clip ? cdz::clip(t.text) : std::string_view(t.text)));
        }
        return;
    }
    if (clip && t.kind == Kind::Text && !t.clipped) {
        sql += "rtrim(" + t.sql + ", ' ')";
    } else {
        sql += t.sql;
    }
    params.insert(params.end(), t.params.begin(), t.params.end());
}

// Whether the constant `constant` (if it is one) is a value the integer field `field` (if it is
// one) can hold.
bool heldBy(const Term& constant, const Term& field) {
    if (!constant.constant || constant.kind != Kind::Number || !field.field ||
        field.field->type == FieldType::Decimal)
        return true;
    const FieldLimits limits = limitsOf(*field.field);
    return isWhole(constant.number) && constant.number >= static_cast<double>(limits.lo) &&
           constant.number <= static_cast<double>(limits.hi);
}

std::optional<double> wholeConstant(const Term& t) {
    if (!t.constant || t.kind != Kind::Number || !isWhole(t.number)) return std::nullopt;
    return t.number;
}

const char* sqlOperator(ExprOp op) {
    switch (op) {
        case ExprOp::Equal:
            return " = ";
        case ExprOp::NotEqual:
            return " <> ";
        case ExprOp::Less:
            return " < ";
        case ExprOp::Greater:
            return " > ";
        case ExprOp::LessEqual:
            return " <= ";
        case ExprOp::GreaterEqual:
            return " >= ";
        default:
            return nullptr;
    }
}

// The least text after every text that begins with `prefix`, in byte order (which is code
// point order in UTF-8): the prefix with its last character raised by one, itself valid UTF-8
// (a server refuses anything else); "" when there is none (the prefix is all U+10FFFF).
std::string textAfterPrefix(std::string prefix) {
    while (!prefix.empty()) {
        size_t start = prefix.size() - 1;
        while (start > 0 && (static_cast<unsigned char>(prefix[start]) & 0xC0) == 0x80) --start;
        const std::u32string last =
            QString::fromUtf8(prefix.data() + start, static_cast<qsizetype>(prefix.size() - start))
                .toStdU32String();
        prefix.resize(start);
        if (last.size() != 1 || last[0] >= 0x10FFFF) continue;
        char32_t next = last[0] + 1;
        if (next >= 0xD800 && next <= 0xDFFF) next = 0xE000;
        return prefix + QString::fromStdU32String(std::u32string(1, next)).toStdString();
    }
    return {};
}

class Translation {
public:
    Translation(const FilterTranslator::ColumnLookup& columns, bool caseFunctions)
        : columns_(columns), caseFunctions_(caseFunctions) {}

    std::optional<Term> value(const ExprNode& n) const {
        switch (n.kind) {
            case ExprNode::Kind::Number:
                return constantNumber(n.number);
            case ExprNode::Kind::String:
                return constantText(n.text);
            case ExprNode::Kind::Name:
                return column(n.text);
            case ExprNode::Kind::Call:
                return call(n);
            default:
                return std::nullopt;  // arithmetic and logic stay with the compiled filter
        }
    }

    std::optional<Condition> condition(const ExprNode& n) const {
        if (n.kind == ExprNode::Kind::Binary && (n.op == ExprOp::And || n.op == ExprOp::Or)) {
            auto left = condition(*n.args[0]);
            auto right = condition(*n.args[1]);
            if (left && right) {
                Condition c{"(" + left->sql + ") " + (n.op == ExprOp::And ? "AND" : "OR") + " (" +
                                right->sql + ")",
                            left->params, left->exact && right->exact};
                c.params.insert(c.params.end(), right->params.begin(), right->params.end());
                return c;
            }
            // One side of an AND is still implied by the whole.
            if (n.op == ExprOp::And && (left || right)) {
                Condition c = left ? std::move(*left) : std::move(*right);
                c.exact = false;
                return c;
            }
            return std::nullopt;
        }
        if (n.kind == ExprNode::Kind::Unary && n.op == ExprOp::Not) {
            // Only the exact negation of an exact condition is implied.
            auto inner = condition(*n.args[0]);
            if (!inner || !inner->exact) return std::nullopt;
            return Condition{"NOT (" + inner->sql + ")", std::move(inner->params), true};
        }
        if (n.kind == ExprNode::Kind::Binary && isComparison(n.op)) return comparison(n);
        // Any other value is true when it is a number other than 0 or a text not blank.
        auto v = value(n);
        if (n.kind == ExprNode::Kind::Call && n.function == ExprFunction::Instring) {
            if (auto folded = foldedContains(n)) {
                if (!v) {
                    folded->exact = false;
                    return folded;
                }
                folded->sql += " AND (";
                place(*v, true, folded->sql, folded->params);
                folded->sql += " <> 0)";
                return folded;
            }
        }
        if (!v) return std::nullopt;
        if (v->constant) {
            bool truth = v->kind == Kind::Number ? v->number != 0 : !clip(v->text).empty();
            // A comparison rather than a bare number: a server wants a truth value here.
            return Condition{truth ? "(1 = 1)" : "(1 = 0)", {}, true};
        }
        Condition c;
        place(*v, true, c.sql, c.params);
        c.sql += v->kind == Kind::Text ? " <> ''" : " <> 0";
        return c;
    }

private:
    std::optional<Term> column(std::string_view name) const {
        const FieldDesc* f = columns_ ? columns_(name) : nullptr;
        if (!f) return std::nullopt;
        Term t;
        t.kind = f->isText() ? Kind::Text : Kind::Number;
        t.sql = "{" + f->label + "}";
        t.field = f;
        return t;
    }

    std::optional<Term> call(const ExprNode& n) const {
        std::vector<Term> args;
        for (const auto& a : n.args) {
            auto t = value(*a);
            if (!t) return std::nullopt;
            args.push_back(std::move(*t));
        }
        switch (n.function) {
            case ExprFunction::Upper:
            case ExprFunction::Lower: {
                if (args[0].kind != Kind::Text) return std::nullopt;
                const bool upper = n.function == ExprFunction::Upper;
                if (args[0].constant) {
                    return constantText(upper ? toUpper(args[0].text) : toLower(args[0].text));
                }
                if (!caseFunctions_) return std::nullopt;
                Term t = std::move(args[0]);
                t.sql = std::string(upper ? "cdz_upper(" : "cdz_lower(") + t.sql + ")";
                return t;
            }
            case ExprFunction::Clip: {
                if (args[0].kind != Kind::Text) return std::nullopt;
                if (args[0].constant) return constantText(std::string(clip(args[0].text)));
                Term t = std::move(args[0]);
                if (!t.clipped) t.sql = "rtrim(" + t.sql + ", ' ')";
                t.clipped = true;
                return t;
            }
            case ExprFunction::Sub: {
                // A whole constant start from 1 and length from 0, else -1.
                auto constant = [&](size_t i, double least) {
                    auto v = i < args.size() ? wholeConstant(args[i]) : std::nullopt;
                    return v && *v >= least ? *v : -1.0;
                };
                const double start = constant(1, 1);
                const double length = constant(2, 0);
                if (args[0].kind != Kind::Text || args[0].constant || start < 0 || length < 0) {
                    return std::nullopt;
                }
                Term t;
                t.kind = Kind::Text;
                t.clipped = false;
                t.sql = "substr(";
                place(args[0], false, t.sql, t.params);
                t.sql += ", ?, ?)";
                t.params.push_back(static_cast<int64_t>(start));
                t.params.push_back(static_cast<int64_t>(length));
                return t;
            }
            case ExprFunction::Instring: {
                // SQLite's instr finds the first place, the search with steps of 1 from 1; an
                // empty needle it finds at 1 where the language finds nothing.
                for (size_t i = 2; i < args.size(); ++i) {
                    if (wholeConstant(args[i]) != std::optional<double>(1)) return std::nullopt;
                }
                if (!args[0].constant || args[0].kind != Kind::Text || args[0].text.empty() ||
                    args[1].kind != Kind::Text || args[1].constant) {
                    return std::nullopt;
                }
                Term t;
                t.kind = Kind::Number;
                t.sql = "instr(";
                place(args[1], false, t.sql, t.params);
                t.sql += ", ";
                place(args[0], false, t.sql, t.params);
                t.sql += ")";
                return t;
            }
            default:
                return std::nullopt;
        }
    }

    std::optional<Condition> comparison(const ExprNode& n) const {
        const char* op = sqlOperator(n.op);
        auto left = value(*n.args[0]);
        auto right = value(*n.args[1]);
        std::optional<Condition> range = n.op == ExprOp::Equal ? prefixRange(n) : std::nullopt;
        // A text against a number compares as numbers in the language: left to the filter. So
        // is a constant a whole-number field cannot hold (2.5, 40000 for a byte): the server
        // would take it in the field's own type and refuse it.
        if (!op || !left || !right || left->kind != right->kind ||
            (left->constant && right->constant) || !heldBy(*left, *right) ||
            !heldBy(*right, *left)) {
            if (range) range->exact = false;
            return range;
        }
        Condition c;
        place(*left, true, c.sql, c.params);
        c.sql += op;
        place(*right, true, c.sql, c.params);
        if (!range) return c;
        // The range is implied by the comparison, so the two say exactly what it says.
        range->sql += " AND (" + c.sql + ")";
        range->params.insert(range->params.end(), c.params.begin(), c.params.end());
        return range;
    }

    // INSTRING of a constant in a text column, with or without regard to case: the folded
    // column holds the folded constant too, and SQLite can test that in a key's index before
    // it reads the record.
    std::optional<Condition> foldedContains(const ExprNode& n) const {
        if (n.args.size() < 2) return std::nullopt;
        auto needle = value(*n.args[0]);
        if (!needle || !needle->constant || needle->kind != Kind::Text || needle->text.empty()) {
            return std::nullopt;
        }
        bool upper = false;
        const FieldDesc* f = wholeColumn(*n.args[1], &upper);
        if (!f) return std::nullopt;
        return Condition{"instr({~" + f->label + "}, ?) <> 0",
                         {upper ? simpleFoldCase(needle->text) : foldCase(needle->text)},
                         true};
    }

    // A text column, under UPPER or not.
    const FieldDesc* wholeColumn(const ExprNode& n, bool* upper) const {
        if (n.kind == ExprNode::Kind::Call && n.function == ExprFunction::Upper &&
            !n.args.empty()) {
            *upper = true;
            return wholeColumn(*n.args[0], upper);
        }
        if (n.kind != ExprNode::Kind::Name) return nullptr;
        const FieldDesc* f = columns_ ? columns_(n.text) : nullptr;
        return f && f->isText() ? f : nullptr;
    }

    // A text column whose beginning a compared value is: the column itself, or a SUB of it
    // from the first character, under UPPER or CLIP. `upper` says whether UPPER came first.
    const FieldDesc* prefixColumn(const ExprNode& n, bool* upper) const {
        if (n.kind == ExprNode::Kind::Name) {
            const FieldDesc* f = columns_ ? columns_(n.text) : nullptr;
            return f && f->isText() ? f : nullptr;
        }
        if (n.kind != ExprNode::Kind::Call || n.args.empty()) return nullptr;
        switch (n.function) {
            case ExprFunction::Upper:
                *upper = true;
                return prefixColumn(*n.args[0], upper);
            case ExprFunction::Clip:
                return prefixColumn(*n.args[0], upper);
            case ExprFunction::Sub: {
                // SUB(x, 1, n) is always a beginning of x, whatever n is.
                if (n.args.size() < 2 || n.args[1]->kind != ExprNode::Kind::Number ||
                    n.args[1]->number != 1) {
                    return nullptr;
                }
                return prefixColumn(*n.args[0], upper);
            }
            default:
                return nullptr;
        }
    }

    // "Begins with" and "is equal to" on a text column, with or without regard to case, as a
    // range of the column's folded copy, which a case-blind key's index holds: the records whose
    // text folds to something beginning with the folded constant. When the compared beginning,
    // clipped, equals the constant K, the folded column begins with the folding of K (folding
    // works a character at a time, and upper-cases first). A stored copy holds the sort key,
    // which begins with the base letters of that folding: text with accents is looked for in
    // both ranges, since a field without a stored copy is folded in the statement.
    std::optional<Condition> prefixRange(const ExprNode& n) const {
        for (int side = 0; side < 2; ++side) {
            const ExprNode& other = *n.args[static_cast<size_t>(1 - side)];
            auto constant = value(other);
            if (!constant || !constant->constant || constant->kind != Kind::Text) continue;
            bool upper = false;
            const FieldDesc* f = prefixColumn(*n.args[static_cast<size_t>(side)], &upper);
            const std::string_view k = clip(constant->text);
            if (!f || k.empty()) continue;
            const std::string folded = upper ? simpleFoldCase(k) : foldCase(k);
            const std::string column = "{~" + f->label + "}";
            Condition c = beginsWith(column, folded);
            const std::string base = sortPrefix(folded);
            if (base == folded) return c;
            Condition bare = beginsWith(column, base);
            c.sql = "(" + c.sql + " OR " + bare.sql + ")";
            c.params.insert(c.params.end(), bare.params.begin(), bare.params.end());
            return c;
        }
        return std::nullopt;
    }

    static Condition beginsWith(const std::string& column, const std::string& low) {
        std::string high = textAfterPrefix(low);
        if (high.empty()) return Condition{"(" + column + " >= ?)", {low}, true};
        return Condition{
            "(" + column + " >= ? AND " + column + " < ?)", {low, std::move(high)}, true};
    }

    const FilterTranslator::ColumnLookup& columns_;
    bool caseFunctions_;
};

}  // namespace

FilterTranslator::Result FilterTranslator::translate(const ExprNode& root,
                                                     const ColumnLookup& columns,
                                                     bool caseFunctions) {
    Result r;
    auto c = Translation(columns, caseFunctions).condition(root);
    if (!c) return r;
    r.filter.where = std::move(c->sql);
    r.filter.params = std::move(c->params);
    r.exact = c->exact;
    return r;
}

}  // namespace cdz
