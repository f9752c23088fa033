#include "app/engine/columns/ListFormatStore.h"

#include <utility>

#include "app/engine/columns/DatePictures.h"
#include "app/engine/columns/ListFormat.h"
#include "runtime/ini/IniFile.h"

namespace cdz {

ListFormatStore::ListFormatStore(IniFile& ini, std::string section, const std::string& listName)
    : ini_(ini),
      section_(std::move(section)),
      savedKey_("SRCF" + listName),
      originalKey_("SRCFOriginal" + listName) {}

std::string ListFormatStore::open(std::string_view designFormat, std::string_view dateSetting) {
    lastError_.clear();
    design_ = designFormat;
    appliedPicture_ = datePictureSetting(dateSetting);
    // The design format is remembered and compared as the program declares it, before its date
    // pictures take the user's date format. Compared after, every change of the date format
    // setting would look like a new design and throw the user's layout away; compared before,
    // only a new design format from the program does. The saved layout is then given the
    // current date format itself, since it was saved with the pictures of its day.
    std::string design = replaceListDatePictures(designFormat, dateSetting);
    if (ini_.read(section_, originalKey_) != designFormat) {
        if (!ini_.write(section_, originalKey_, designFormat)) lastError_ = ini_.lastError();
        return design;
    }
    const std::string saved = ini_.read(section_, savedKey_, designFormat);
    const ListFormatParse parsed = ListFormat::parse(saved);
    if (!parsed.format) {
        // A damaged or hand-edited layout must not break the window: the design stands in, and
        // the format written at close replaces the damaged one.
        lastError_ = "The saved list format " + savedKey_ + " in [" + section_ +
                     "] was ignored: " + parsed.error;
        return design;
    }
    return replaceListDatePictures(saved, dateSetting);
}

bool ListFormatStore::close(std::string_view currentFormat) {
    lastError_.clear();
    const ListFormatParse parsed = ListFormat::parse(currentFormat);
    if (!parsed.format) {
        lastError_ = "The list format was not saved: " + parsed.error;
        return false;
    }
    if (!ini_.write(section_, savedKey_, keptDates(*parsed.format))) {
        lastError_ = ini_.lastError();
        return false;
    }
    return true;
}

namespace {

bool isDatePicture(const std::string& picture) {
    return !picture.empty() && (picture.front() == 'd' || picture.front() == 'D');
}

}  // namespace

std::string ListFormatStore::keptDates(ListFormat format) const {
    if (appliedPicture_.empty() || isDatePicture(appliedPicture_)) return format.text();
    // Only a design with date columns can have shown the setting in place of a date, and only a
    // design whose own pictures never equal the setting tells which columns those were.
    const ListFormatParse design = ListFormat::parse(design_);
    if (!design.format) return format.text();
    std::string datePicture;
    for (const ListColumn& column : design.format->columns()) {
        if (column.picture() == appliedPicture_) return format.text();
        if (datePicture.empty() && isDatePicture(column.picture())) datePicture = column.picture();
    }
    if (datePicture.empty()) return format.text();
    for (ListColumn& column : format.columns()) {
        if (column.picture() == appliedPicture_) column.setPicture(datePicture);
    }
    return format.text();
}

}  // namespace cdz
