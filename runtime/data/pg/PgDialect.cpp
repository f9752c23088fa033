#include "runtime/data/pg/PgDialect.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace cdz::pg {
namespace {

// Parameters the server takes in one statement.
constexpr long kMaxParam = 65535;

struct Refusal {
    std::string_view word;  // upper case
    std::string_view why;
};

// Words (outside literals and names) whose meaning the server does not share.
constexpr std::array kRefusedWords{
    Refusal{"CDZ_UPPER", "cdz_upper runs on the station only"},
    Refusal{"CDZ_LOWER", "cdz_lower runs on the station only"},
    Refusal{"SQLITE_SCHEMA", "the file's own catalogue has no counterpart"},
    Refusal{"SQLITE_MASTER", "the file's own catalogue has no counterpart"},
    Refusal{"PRAGMA_TABLE_INFO", "the file's own catalogue has no counterpart"},
    Refusal{"GLOB", "GLOB has no counterpart"},
    // SQLite's LIKE ignores the case of ASCII letters, the server's does not.
    Refusal{"LIKE", "LIKE compares case differently"},
    Refusal{"ROWID", "the record number is a column of its own"},
};

// Words that begin a statement the server has no counterpart for.
constexpr std::array kRefusedStatements{
    Refusal{"PRAGMA", "PRAGMA has no counterpart"},
    Refusal{"ATTACH", "ATTACH has no counterpart"},
    Refusal{"DETACH", "DETACH has no counterpart"},
    Refusal{"VACUUM", "VACUUM of a file has no counterpart"},
    Refusal{"REINDEX", "REINDEX of a file has no counterpart"},
    Refusal{"REPLACE", "REPLACE has no counterpart"},
};

struct Word {
    std::string upper;
    size_t begin;  // in the output
    size_t end;
    bool leads;  // the first word of a statement
};

bool wordStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}

bool wordChar(char c) {
    return wordStart(c) || std::isdigit(static_cast<unsigned char>(c));
}

bool blank(std::string_view s) {
    for (char c : s) {
        if (!std::isspace(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

// Copies a quoted run (its quote doubled inside it) from `i`; false when it never closes.
bool copyQuoted(std::string_view sql, size_t& i, std::string& out) {
    const char quote = sql[i];
    out += sql[i++];
    while (i < sql.size()) {
        out += sql[i];
        if (sql[i++] != quote) continue;
        if (i < sql.size() && sql[i] == quote) {
            out += sql[i++];
            continue;
        }
        return true;
    }
    return false;
}

PgTranslation refuse(std::string why) {
    return {{}, std::move(why)};
}

// The conflict clauses (INSERT/UPDATE OR ...) and statements of `words` in `out`.
std::string statementForms(const std::vector<Word>& words, std::string& out) {
    for (const auto& w : words) {
        if (!w.leads) continue;
        for (const auto& r : kRefusedStatements) {
            if (w.upper == r.word) return std::string(r.why);
        }
    }
    for (size_t i = 0; i + 1 < words.size(); ++i) {
        if (words[i].leads && words[i].upper == "BEGIN" &&
            (words[i + 1].upper == "IMMEDIATE" || words[i + 1].upper == "EXCLUSIVE" ||
             words[i + 1].upper == "DEFERRED")) {
            return "BEGIN " + words[i + 1].upper + " has no counterpart";
        }
    }
    // Backwards, so that erasing keeps the places of the words before.
    for (size_t i = words.size(); i-- > 2;) {
        const Word& verb = words[i - 2];
        const Word& orWord = words[i - 1];
        if ((verb.upper != "INSERT" && verb.upper != "UPDATE") || orWord.upper != "OR" ||
            !blank(std::string_view(out).substr(verb.end, orWord.begin - verb.end)) ||
            !blank(std::string_view(out).substr(orWord.end, words[i].begin - orWord.end))) {
            continue;
        }
        // The server's plain statement fails as a whole, which for one row is what FAIL and
        // ABORT do; IGNORE, REPLACE and ROLLBACK behave otherwise.
        if (words[i].upper != "FAIL" && words[i].upper != "ABORT") {
            return verb.upper + " OR " + words[i].upper + " has no counterpart";
        }
        out.erase(verb.end, words[i].end - verb.end);
    }
    return {};
}

}  // namespace

PgTranslation PgDialect::translate(std::string_view sql) {
    std::string out;
    out.reserve(sql.size() + 8);
    std::vector<Word> words;
    long largest = 0;
    bool atStart = true;
    size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        const char next = i + 1 < sql.size() ? sql[i + 1] : '\0';
        if (c == '\'' || c == '"') {
            if (!copyQuoted(sql, i, out)) return refuse("a quoted text does not end");
        } else if (c == '-' && next == '-') {
            const size_t end = sql.find('\n', i);
            const size_t stop = end == std::string_view::npos ? sql.size() : end;
            out += sql.substr(i, stop - i);
            i = stop;
        } else if (c == '/' && next == '*') {
            const size_t end = sql.find("*/", i + 2);
            if (end == std::string_view::npos) return refuse("a comment does not end");
            out += sql.substr(i, end + 2 - i);
            i = end + 2;
        } else if (c == '?') {
            ++i;
            long n = 0;
            const size_t digits = i;
            while (i < sql.size() && std::isdigit(static_cast<unsigned char>(sql[i]))) {
                n = n * 10 + (sql[i++] - '0');
                if (n > kMaxParam) return refuse("a parameter number is too large");
            }
            if (i == digits) {
                n = largest + 1;
                if (n > kMaxParam) return refuse("too many parameters");
            } else if (n == 0) {
                return refuse("parameter ?0 does not exist");
            }
            largest = std::max(largest, n);
            out += "$" + std::to_string(n);
            atStart = false;
        } else if (c == '=' && next == '=') {
            // SQLite's second spelling of equality.
            out += '=';
            i += 2;
            atStart = false;
        } else if ((c == '$' || c == '@' || c == ':') && (wordStart(next) || c == '$')) {
            return refuse("named parameters have no counterpart");
        } else if (wordStart(c)) {
            Word w{{}, out.size(), 0, atStart};
            while (i < sql.size() && wordChar(sql[i])) {
                w.upper += static_cast<char>(std::toupper(static_cast<unsigned char>(sql[i])));
                out += sql[i++];
            }
            w.end = out.size();
            for (const auto& r : kRefusedWords) {
                if (w.upper == r.word) return refuse(std::string(r.why));
            }
            words.push_back(std::move(w));
            atStart = false;
        } else {
            if (c == ';')
                atStart = true;
            else if (!std::isspace(static_cast<unsigned char>(c)))
                atStart = false;
            out += sql[i++];
        }
    }
    if (std::string why = statementForms(words, out); !why.empty()) return refuse(why);
    return {std::move(out), {}};
}

std::vector<std::string> PgDialect::createFunctions() {
    const std::string s = kFunctionSchema;
    // Plain SQL bodies, which the server folds into the statement that calls them.
    return {
        "CREATE SCHEMA IF NOT EXISTS " + s,
        "CREATE OR REPLACE FUNCTION " + s +
            ".ifnull(anycompatible, anycompatible) RETURNS anycompatible LANGUAGE sql "
            "IMMUTABLE PARALLEL SAFE AS 'SELECT COALESCE($1, $2)'",
        // The program's case folding (upper case, then folded) by the server's own Unicode
        // case mapping, for orders by UPPER() of a field that keeps no folded copy; keys
        // order by the folded copies the program stores.
        "CREATE OR REPLACE FUNCTION " + s +
            ".cdz_fold(text) RETURNS text LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE "
            "AS $f$SELECT lower(upper($1 COLLATE \"und-x-icu\") COLLATE \"und-x-icu\") "
            "COLLATE \"C\"$f$",
        // Characters, not bytes, as SQLite counts in a text; NULL when either is.
        "CREATE OR REPLACE FUNCTION " + s +
            ".instr(text, text) RETURNS integer LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE "
            "AS 'SELECT strpos($1, $2)'",
    };
}

std::string PgDialect::searchPath() {
    return std::string("SET search_path = \"$user\", public, ") + kFunctionSchema;
}

}  // namespace cdz::pg
