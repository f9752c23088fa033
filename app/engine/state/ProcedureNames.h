#pragma once
// The names of the program's procedures, as the frame starts them and as each window defines
// itself with the procedure starter. A window procedure's name is also the settings section of
// its window placement.
namespace cdz::proc {

// Windows of the frame itself.
inline constexpr const char* kSplash = "Splash";
inline constexpr const char* kAbout = "About";
inline constexpr const char* kCompileDate = "CompileDate";
// The conversion of the previous generation's songs, started each time the frame opens.
inline constexpr const char* kOldDataConversion = "UpgradeFiles";

// File menu.
inline constexpr const char* kPreferences = "Preferences";  // runs on the frame, modal
inline constexpr const char* kImportSongs = "ImportSongs";
inline constexpr const char* kExportSongs = "ExportSongs";
inline constexpr const char* kAddAudioFiles = "AddAudioFiles";
inline constexpr const char* kFileManager = "FileManager";
// Launches the separate program that carries the DOS version's data over.
inline constexpr const char* kConvertDosData = "ConvertDosData";

// Browses and wizards.
inline constexpr const char* kBrowseAlbum = "BrowseAlbum";
inline constexpr const char* kBrowseSongs = "BrowseSongs";
inline constexpr const char* kBrowseLabels = "BrowseLabels";
inline constexpr const char* kBrowsePlayLists = "BrowsePlayLists";
inline constexpr const char* kBrowseCategories = "BrowseCategories";
inline constexpr const char* kBrowseMedia = "BrowseMedia";
inline constexpr const char* kAddCompilation = "AddCompilation";
inline constexpr const char* kAddSingleArtist = "AddSingleArtist";
inline constexpr const char* kLabelWizard = "LabelWizard";
// The two pickers other windows run to choose an album or a song.
inline constexpr const char* kSelectAlbum = "SelectAlbum";
inline constexpr const char* kSelectFileNumber = "SelectFileNumber";
// The column layout window of the browse that runs it.
inline constexpr const char* kFormatBrowseBox = "FormatBrowseBox";

// Housekeeping passes over the songs and albums, started from the Preferences window.
inline constexpr const char* kCopyToAlbum = "CopyToAlbum";
inline constexpr const char* kTestAlbumIds = "TestAlbumIDs";
inline constexpr const char* kConvertSongDatesToYears = "ConvertDateToYear";
inline constexpr const char* kConvertAlbumDatesToYears = "ConvertAlbumDateToYear";

// Playlists.
inline constexpr const char* kPlaylistForm = "UpdatePlaylist";
inline constexpr const char* kGeneratePlaylist = "GeneratePlaylist";

// Reports.
inline constexpr const char* kSongsByArtist = "PRINTMUS:SONGSBYARTIST";
inline constexpr const char* kSongsByTitle = "PRINTMUS:SONGSBYTITLE";
inline constexpr const char* kSongsByAlbum = "PRINTMUS:SONGSBYALBUM";
inline constexpr const char* kSongsByMedia = "PRINTMUS:SONGSBYMEDIA";
inline constexpr const char* kSongsByCategory = "PRINTBYCATEGORY";
inline constexpr const char* kSongsByChart = "PRINTMUS:SONGSBYCHART";
inline constexpr const char* kSongsByUserKey = "PRINTMUS:SONGSBYUDK";
inline constexpr const char* kAlbumsByArtist = "PRINTALBUMSBYARTIST";
inline constexpr const char* kAlbumsByTitle = "PRINTALBUMSBYALBUM";
inline constexpr const char* kPaperSaverArtist = "PRINTPAPERSAVER";
inline constexpr const char* kPaperSaverTitle = "PRINTPAPERSAVERTITLE";
inline constexpr const char* kIndexAlbumsByTitle = "PRINTINDEX:ALBUMSBYTITLE";
inline constexpr const char* kIndexAlbumsByArtist = "PRINTINDEX:ALBUMSBYARTIST";
inline constexpr const char* kIndexSongsByTitle = "PRINTINDEX:SONGTITLE";
inline constexpr const char* kIndexSongsByArtist = "PRINTINDEX:SONGSARTIST";
inline constexpr const char* kRotaryAlbumsByTitle = "PRINTROTARY:ALBUMTITLE";
inline constexpr const char* kRotaryAlbumsByArtist = "PRINTROTARY:ALBUMARTIST";
inline constexpr const char* kRotarySongsByTitle = "PRINTROTARY:SONGSTITLE";
inline constexpr const char* kRotarySongsByArtist = "PRINTROTARY:SONGSARTIST";
inline constexpr const char* kDjLog = "PRINTDJLIST";
inline constexpr const char* kAlbumValuation = "PRINTVALUATIONALBUM";
// The songs of the album the album browse highlights, from its Print button.
inline constexpr const char* kOneAlbum = "PRINTONEALBUM";
// The highlighted playlist of the playlist browse, as a list and as a chart.
inline constexpr const char* kPlaylistPrint = "PRINTPLAYLIST";
inline constexpr const char* kPlaylistTop40 = "PRINTPLAYLISTTOP40";
// The label the label browse highlights; each prints the label by its own kind.
inline constexpr const char* kPrintLabel = "PRINTLABEL";
inline constexpr const char* kPrintCassetteLabel = "PRINTCASSETTELABEL";

}  // namespace cdz::proc
