#include "bench/generator/CatalogueCsv.h"

namespace cdz::gen {

const std::array<std::string_view, 23>& CatalogueCsv::songColumns() {
    static constexpr std::array<std::string_view, 23> kColumns = {
        "MUS:Artist",
        "MUS:Title",
        "MUS:Album",
        "MUS:Media",
        "MUS:FileNumber",
        "MUS:ReleaseDate",
        "MUS:CategoryID",
        "MUS:ChartNumber",
        "MUS:TrackNumber",
        "MUS:Side",
        "MUS:Time",
        "MUS:UserDefinedKeyField",
        "MUS:AdditionalInformation1",
        "MUS:AdditionalInformation2",
        "MUS:AdditionalInformation3",
        "MUS:BeatsPerMinute",
        "MUS:Style",
        "MUS:Recording",
        "MUS:Composer",
        "MUS:PerformanceNotes",
        "MUS:LastPlayed",
        "MUS:Notes",
        "MUS:Rating",
    };
    return kColumns;
}

const std::array<std::string_view, 20>& CatalogueCsv::albumColumns() {
    static constexpr std::array<std::string_view, 20> kColumns = {
        "ALB:AlbumID",         "ALB:Artist",       "ALB:Album",       "ALB:Media",
        "ALB:FileNumber",      "ALB:ReleaseDate",  "ALB:CategoryID",  "ALB:AssociatedWAVFile",
        "ALB:AssociatedImage", "ALB:CDIdentifier", "ALB:XCCD",        "ALB:Playlist",
        "ALB:TotalTime",       "ALB:Rating",       "ALB:PurPrice",    "ALB:PurchaseDate",
        "ALB:Value",           "ALB:Recording",    "ALB:Performance", "ALB:Notes",
    };
    return kColumns;
}

void CatalogueCsv::songHeader(CsvLine& line) {
    line.clear();
    for (std::string_view name : songColumns()) line.addText(name);
}

void CatalogueCsv::songLine(const SongRecord& s, CsvLine& line) {
    line.clear();
    line.addText(s.Artist);
    line.addText(s.Title);
    line.addText(s.Album);
    line.addText(s.Media);
    line.addText(s.FileNumber);
    line.addDate(s.ReleaseDate);
    line.addNumber(s.CategoryID);
    line.addNumber(s.ChartNumber);
    line.addNumber(s.TrackNumber);
    line.addText(s.Side);
    line.addTime(s.Time);
    line.addText(s.UserDefinedKeyField);
    line.addText(s.AdditionalInformation1);
    line.addText(s.AdditionalInformation2);
    line.addText(s.AdditionalInformation3);
    line.addNumber(s.BeatsPerMinute);
    line.addText(s.Style);
    line.addText(s.Recording);
    line.addText(s.Composer);
    line.addText(s.PerformanceNotes);
    line.addDate(s.LastPlayed);
    line.addText(s.Notes);
    line.addText(s.Rating);
}

void CatalogueCsv::albumHeader(CsvLine& line) {
    line.clear();
    for (std::string_view name : albumColumns()) line.addText(name);
}

void CatalogueCsv::albumLine(const AlbumRecord& a, CsvLine& line) {
    line.clear();
    line.addNumber(a.AlbumID);
    line.addText(a.Artist);
    line.addText(a.Album);
    line.addText(a.Media);
    line.addText(a.FileNumber);
    line.addDate(a.ReleaseDate);
    line.addNumber(a.CategoryID);
    line.addText(a.AssociatedWAVFile);
    line.addText(a.AssociatedImage);
    line.addText(a.CDIdentifier);
    line.addText(a.XCCD);
    line.addText(a.Playlist);
    line.addNumber(a.TotalTime);
    line.addText(a.Rating);
    line.addCents(a.PurPriceCents);
    line.addDate(a.PurchaseDate);
    line.addCents(a.ValueCents);
    line.addText(a.Recording);
    line.addText(a.Performance);
    line.addText(a.Notes);
}

void CatalogueCsv::categoryHeader(CsvLine& line) {
    line.clear();
    line.addText("CAT:CategoryID");
    line.addText("CAT:Category");
}

void CatalogueCsv::categoryLine(const CategoryRecord& c, CsvLine& line) {
    line.clear();
    line.addNumber(c.CategoryID);
    line.addText(c.Category);
}

void CatalogueCsv::mediaHeader(CsvLine& line) {
    line.clear();
    line.addText("MED:Media");
}

void CatalogueCsv::mediaLine(std::string_view media, CsvLine& line) {
    line.clear();
    line.addText(media);
}

}  // namespace cdz::gen
