#include "bench/generator/datafiles/RecordFill.h"

namespace cdz::gen {

void RecordFill::song(const SongRecord& g, cdz::SongRecord& s) {
    s.Artist = g.Artist;
    s.Title = g.Title;
    s.Album = g.Album;
    s.Media = g.Media;
    s.FileNumber = g.FileNumber;
    s.ReleaseDate = g.ReleaseDate;
    s.CategoryID = g.CategoryID;
    s.ChartNumber = g.ChartNumber;
    s.TrackNumber = g.TrackNumber;
    s.Side = g.Side;
    s.Time = g.Time;
    s.UserDefinedKeyField = g.UserDefinedKeyField;
    s.AdditionalInformation1 = g.AdditionalInformation1;
    s.AdditionalInformation2 = g.AdditionalInformation2;
    s.AdditionalInformation3 = g.AdditionalInformation3;
    s.BeatsPerMinute = g.BeatsPerMinute;
    s.Style = g.Style;
    s.Composer = g.Composer;
    s.LastPlayed = g.LastPlayed;
    s.ID = g.ID;
    s.AlbumID = g.AlbumID;
    s.Rating = g.Rating;
    s.Recording = g.Recording;
    s.PerformanceNotes = g.PerformanceNotes;
    s.Notes = g.Notes;
}

void RecordFill::album(const AlbumRecord& g, cdz::AlbumRecord& a) {
    a.AlbumID = g.AlbumID;
    a.Artist = g.Artist;
    a.Album = g.Album;
    a.Media = g.Media;
    a.FileNumber = g.FileNumber;
    a.ReleaseDate = g.ReleaseDate;
    a.CategoryID = decltype(a.CategoryID)::fromRaw(g.CategoryID);
    a.AssociatedWAVFile = g.AssociatedWAVFile;
    a.AssociatedImage = g.AssociatedImage;
    a.CDIdentifier = g.CDIdentifier;
    a.XCCD = g.XCCD;
    a.Playlist = g.Playlist;
    a.TotalTime = g.TotalTime;
    a.Rating = g.Rating;
    // Two places: the raw value of DECIMAL(4,2) is the amount in cents.
    a.PurPrice = decltype(a.PurPrice)::fromRaw(g.PurPriceCents);
    a.PurchaseDate = g.PurchaseDate;
    a.Value = decltype(a.Value)::fromRaw(g.ValueCents);
    a.Recording = g.Recording;
    a.Performance = g.Performance;
    a.Notes = g.Notes;
}

void RecordFill::category(const CategoryRecord& g, cdz::CategoryRecord& c) {
    c.CategoryID = decltype(c.CategoryID)::fromRaw(g.CategoryID);
    c.Category = g.Category;
}

}  // namespace cdz::gen
