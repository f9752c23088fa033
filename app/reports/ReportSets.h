#pragma once
// The catalogue's reports by family, each family in a file of its own; the catalogue lists
// them in the order of the Reports menu.
#include <string>
#include <vector>

#include "app/reports/ReportDefinition.h"

namespace cdz {

inline ReportColumn reportColumn(std::string caption, std::string label, int weight,
                                 std::string picture = {}, TextAlign align = TextAlign::Left) {
    return ReportColumn{std::move(caption), std::move(label), weight, std::move(picture), align};
}

// The song lists by artist, title, album, media, chart and user-defined key, their brief
// twins, the list by category and the paper savers.
void addSongReports(std::vector<ReportDefinition>& all);
// The album lists, the album valuation and the one-album song list.
void addAlbumReports(std::vector<ReportDefinition>& all);
// The index cards and rotary cards of albums and songs.
void addCardReports(std::vector<ReportDefinition>& all);
// The playlists' printouts and the DJ log.
void addPlaylistReports(std::vector<ReportDefinition>& all);

}  // namespace cdz
