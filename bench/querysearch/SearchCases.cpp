#include "bench/querysearch/SearchCases.h"

#include "app/songs/SongBrowse.h"
#include "runtime/text/DateTime.h"

namespace cdz::bench {

std::vector<SearchCase> searchCases() {
    const std::string from = std::to_string(dateFromYmd(1980, 1, 1));
    const std::string to = std::to_string(dateFromYmd(1989, 12, 31));
    const std::string byArtist = "Artist__fold, Title__fold, cdz_recno";
    return {
        {"artist begins with \"Tom\"", "UPPER(SUB(MUS:Artist,1,3)) = 'TOM'", SongBrowse::ByArtist,
         0, "upper(substr(Artist,1,3)) = 'TOM'", byArtist},
        {"artist begins with \"Zz\" (none)", "UPPER(SUB(MUS:Artist,1,2)) = 'ZZ'",
         SongBrowse::ByArtist, 0, "upper(substr(Artist,1,2)) = 'ZZ'", byArtist},
        {"title contains \"ghost\"", "INSTRING('GHOST',UPPER(MUS:Title),1,1)", SongBrowse::ByArtist,
         0, "instr(upper(Title), 'GHOST') > 0", byArtist},
        {"1980s in category 7", "MUS:ReleaseDate => " + from + " AND MUS:ReleaseDate <= " + to,
         SongBrowse::ByCategory, 7,
         "CategoryID = 7 AND ReleaseDate >= " + from + " AND ReleaseDate <= " + to,
         "CategoryID, Artist, Title, Album, cdz_recno"},
    };
}

}  // namespace cdz::bench
