#include "runtime/ini/IniDocument.h"

#include "runtime/text/Unicode.h"

namespace cdz {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool hasLineBreak(std::string_view s) {
    return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

}  // namespace

IniDocument::IniDocument(std::string_view text) {
    if (text.starts_with(kBom)) {
        bom_ = kBom;
        text.remove_prefix(kBom.size());
    }
    bool endingChosen = false;
    int currentSection = -1;
    while (!text.empty()) {
        Line line;
        const auto nl = text.find('\n');
        std::string_view body = text.substr(0, nl);
        if (nl == std::string_view::npos) {
            text = {};
        } else {
            text.remove_prefix(nl + 1);
            // One assignment: assigning twice makes GCC 12 at -O3 report a false
            // -Wmaybe-uninitialized.
            const bool crlf = body.ends_with('\r');
            if (crlf) body.remove_suffix(1);
            line.ending = crlf ? "\r\n" : "\n";
            // Lines added later follow the file's own style.
            if (!endingChosen) newline_ = line.ending;
            endingChosen = true;
        }
        line.body = body;
        parseLine(line, currentSection);
        if (line.kind == Kind::Section) currentSection = static_cast<int>(lines_.size());
        lines_.push_back(std::move(line));
    }
    reindex();
}

void IniDocument::parseLine(Line& line, int currentSection) const {
    const std::string_view t = trim(line.body);
    line.section = currentSection;
    line.kind = Kind::Other;
    if (t.empty() || t.front() == ';') return;
    if (t.front() == '[') {
        std::string_view name = t.substr(1);
        const auto close = name.rfind(']');
        if (close != std::string_view::npos) name = name.substr(0, close);
        line.kind = Kind::Section;
        line.folded = foldCase(trim(name));
    } else if (const auto eq = t.find('='); eq != std::string_view::npos) {
        line.kind = Kind::Entry;
        line.folded = foldCase(trim(t.substr(0, eq)));
    }
}

std::string IniDocument::lookupKey(const std::string& foldedSection, const std::string& foldedKey) {
    // A section name never holds a line break, so "\n" cannot make two pairs collide.
    return foldedSection + '\n' + foldedKey;
}

void IniDocument::reindex() {
    sections_.clear();
    entries_.clear();
    for (int i = 0; i < static_cast<int>(lines_.size()); ++i) {
        const Line& line = lines_[static_cast<size_t>(i)];
        if (line.kind == Kind::Section) {
            sections_.try_emplace(line.folded, i);
        } else if (line.kind == Kind::Entry && line.section >= 0) {
            const std::string& section = lines_[static_cast<size_t>(line.section)].folded;
            entries_.try_emplace(lookupKey(section, line.folded), i);
        }
    }
}

int IniDocument::findSection(const std::string& folded) const {
    const auto it = sections_.find(folded);
    return it == sections_.end() ? -1 : it->second;
}

int IniDocument::findEntry(const std::string& foldedSection, const std::string& foldedKey) const {
    const auto it = entries_.find(lookupKey(foldedSection, foldedKey));
    return it == entries_.end() ? -1 : it->second;
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    const int i = findEntry(foldCase(trim(section)), foldCase(trim(key)));
    if (i < 0) return std::nullopt;
    const std::string& body = lines_[static_cast<size_t>(i)].body;
    return std::string(trim(std::string_view(body).substr(body.find('=') + 1)));
}

std::string IniDocument::canStore(std::string_view section, std::string_view key,
                                  std::string_view value) {
    if (trim(section).empty()) return "the section name is empty";
    if (hasLineBreak(section) || section.find(']') != std::string_view::npos)
        return "the section name holds a line break or \"]\"";
    const std::string_view k = trim(key);
    if (k.empty()) return "the key name is empty";
    if (hasLineBreak(key) || key.find('=') != std::string_view::npos)
        return "the key name holds a line break or \"=\"";
    if (k.front() == '[' || k.front() == ';') return "the key name starts with \"[\" or \";\"";
    if (hasLineBreak(value)) return "the value holds a line break";
    return {};
}

void IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string foldedSection = foldCase(trim(section));
    const std::string foldedKey = foldCase(trim(key));
    if (const int i = findEntry(foldedSection, foldedKey); i >= 0) {
        // Keep the key as it is spelt and spaced in the file; only the value changes.
        std::string& body = lines_[static_cast<size_t>(i)].body;
        size_t keep = body.find('=') + 1;
        while (keep < body.size() && isBlank(body[keep])) ++keep;
        body.resize(keep);
        body += value;
        return;
    }

    Line entry;
    entry.body = std::string(trim(key)) + '=' + std::string(value);
    entry.ending = newline_;
    entry.kind = Kind::Entry;
    entry.folded = foldedKey;

    const int header = findSection(foldedSection);
    if (header < 0) {
        endLastLine();
        Line head;
        head.body = '[' + std::string(trim(section)) + ']';
        head.ending = newline_;
        head.kind = Kind::Section;
        head.folded = foldedSection;
        entry.section = static_cast<int>(lines_.size());
        lines_.push_back(std::move(head));
        lines_.push_back(std::move(entry));
        reindex();
        return;
    }

    // After the section's last key, so blank lines and comments that lead into the next
    // section stay with it.
    int after = header;
    for (int i = header + 1; i < static_cast<int>(lines_.size()); ++i) {
        const Line& line = lines_[static_cast<size_t>(i)];
        if (line.kind == Kind::Section) break;
        if (line.kind == Kind::Entry) after = i;
    }
    entry.section = header;
    const int at = after + 1;
    if (at == static_cast<int>(lines_.size())) endLastLine();
    lines_.insert(lines_.begin() + at, std::move(entry));
    // Lines after the insertion point moved down by one; so did the headers they point to.
    for (size_t i = static_cast<size_t>(at) + 1; i < lines_.size(); ++i)
        if (lines_[i].section >= at) ++lines_[i].section;
    reindex();
}

void IniDocument::endLastLine() {
    // A file whose last line had no ending gets one before a line is added after it.
    if (!lines_.empty() && lines_.back().ending.empty()) lines_.back().ending = newline_;
}

std::string IniDocument::text() const {
    std::string out = bom_;
    for (const Line& line : lines_) {
        out += line.body;
        out += line.ending;
    }
    return out;
}

}  // namespace cdz
