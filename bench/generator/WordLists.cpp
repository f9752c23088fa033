#include "bench/generator/WordLists.h"

#include <string_view>

namespace cdz::gen::words {

namespace {

constexpr std::string_view kTitleWords[] = {
    "Love",      "Heart",     "Night",    "Day",        "Blue",      "Rain",     "Fire",
    "River",     "Dream",     "Summer",   "Winter",     "Road",      "Home",     "Light",
    "Dark",      "Midnight",  "Morning",  "Sun",        "Moon",      "Star",     "Stars",
    "Ocean",     "Sky",       "Wind",     "Storm",      "Train",     "City",     "Street",
    "Highway",   "Angel",     "Devil",    "Baby",       "Girl",      "Boy",      "Man",
    "Woman",     "Time",      "Forever",  "Never",      "Always",    "Tonight",  "Yesterday",
    "Tomorrow",  "Goodbye",   "Hello",    "Dance",      "Song",      "Blues",    "Rock",
    "Roll",      "Soul",      "Gold",     "Silver",     "Diamond",   "Rose",     "Garden",
    "Window",    "Door",      "Wall",     "Mountain",   "Valley",    "Desert",   "Island",
    "Paradise",  "Heaven",    "Shadow",   "Ghost",      "Echo",      "Memory",   "Secret",
    "Promise",   "Lonely",    "Crazy",    "Wild",       "Sweet",     "Little",   "Big",
    "Old",       "New",       "Young",    "Lost",       "Found",     "Broken",   "Falling",
    "Running",   "Waiting",   "Burning",  "Shining",    "Dancing",   "Crying",   "Smile",
    "Tears",     "Kiss",      "Touch",    "Fever",      "Magic",     "Mystery",  "Thunder",
    "Lightning", "Hurricane", "Velvet",   "Satin",      "Paper",     "Glass",    "Stone",
    "Iron",      "Steel",     "Wire",     "Radio",      "Telephone", "Letter",   "Story",
    "Ballad",    "Serenade",  "Lullaby",  "Anthem",     "Prayer",    "Hymn",     "Journey",
    "Voyage",    "Escape",    "Return",   "Revolution", "Freedom",   "Harmony",  "Rhythm",
    "Melody",    "Groove",    "Boogie",   "Shuffle",    "Waltz",     "Tango",    "Samba",
    "Mambo",     "Rhapsody",  "Nocturne", "Overture",   "Interlude", "Reprise",  "Part",
    "One",       "Two",       "Three",    "Seven",      "Hundred",   "Thousand", "Miles",
    "Hours",     "Years",     "Nights",   "Days",       "Dreams",    "Hearts",   "Eyes",
    "Hands",     "Lips",      "Wings",    "Feathers",   "Bridge",    "Tower",    "Castle",
    "Kingdom",   "Empire",    "Queen",    "King",       "Prince",    "Princess", "Soldier",
    "Sailor",    "Stranger",  "Lover",    "Friend",     "Brother",   "Sister",   "Mother",
    "Father",    "Child",     "Children", "People",     "World",     "Earth",    "Planet",
    "Universe",  "Galaxy",    "Space",    "Neon",       "Electric",  "Atomic",   "Digital",
    "Analog",    "Cosmic",    "Tropical", "Northern",   "Southern",  "Western",  "Eastern",
    "Golden",    "Scarlet",   "Crimson",  "Emerald",    "Indigo",
};

constexpr std::string_view kLatinTitleWords[] = {
    "Straße",   "Größe",    "Mädchen", "Übermorgen", "Frühling", "Träume",  "Schön",   "Grüße",
    "Fußball",  "Weißwein", "Café",    "Été",        "Rêve",     "Cœur",    "Chérie",  "Lumière",
    "Éternité", "Déjà",     "Fenêtre", "Noël",       "Mañana",   "Niño",    "Corazón", "Canción",
    "Señorita", "España",   "Pequeña", "Añoranza",   "Sueño",    "Ilusión", "Ríos",    "Fjörður",
    "Sól",      "Ást",      "Hjarta",  "Søster",     "Sjø",      "Høst",    "Kärlek",  "Ängel",
    "Öde",      "Piękna",   "Miłość",  "Łódź",       "Dvořák",   "Žena",    "Čas",     "Ação",
    "Coração",  "Saudação", "Çanta",   "Ğece",
};

constexpr std::string_view kCyrillicWords[] = {
    "Любовь", "Ночь",   "День",    "Звезда", "Река",  "Город",  "Дорога", "Песня",   "Сердце",
    "Зима",   "Лето",   "Весна",   "Осень",  "Небо",  "Море",   "Ветер",  "Солнце",  "Луна",
    "Мечта",  "Время",  "Огонь",   "Снег",   "Дождь", "Берёза", "Ёлка",   "Журавли", "Калинка",
    "Тишина", "Память", "Свобода", "Жизнь",  "Мир",   "Дом",
};

constexpr std::string_view kGreekWords[] = {
    "Αγάπη",  "Νύχτα",  "Μέρα",      "Θάλασσα", "Ουρανός",   "Ήλιος",    "Φεγγάρι", "Αστέρι",
    "Καρδιά", "Όνειρο", "Δρόμος",    "Πόλη",    "Καλοκαίρι", "Χειμώνας", "Άνεμος",  "Φως",
    "Σκιά",   "Ζωή",    "Ελευθερία", "Μουσική", "Τραγούδι",  "Ψυχή",
};

constexpr std::string_view kCjkWords[] = {
    "愛",     "夜",   "星",     "月",       "風",         "雨",   "空",     "海",
    "花",     "夢",   "春",     "夏",       "秋",         "冬",   "東京",   "北京",
    "上海",   "香港", "光",     "心",       "歌",         "桜",   "さくら", "ありがとう",
    "こころ", "ゆめ", "ひかり", "サヨナラ", "メロディー", "사랑", "별",     "밤",
    "하늘",   "바다", "노래",   "서울",     "꿈",         "𠮷野",
};

constexpr std::string_view kFillerWords[] = {
    "the",  "a",      "of",      "in",       "on",       "with",     "from",
    "at",   "and",    "for",     "by",       "after",    "before",   "under",
    "over", "first",  "last",    "second",   "early",    "late",     "original",
    "rare", "live",   "studio",  "take",     "version",  "mix",      "edit",
    "mono", "stereo", "session", "recorded", "released", "pressing", "copy",
    "side", "track",  "bonus",   "demo",     "remaster", "single",
};

constexpr std::string_view kFirstNames[] = {
    "John",    "Paul",    "George", "Mary",    "Linda",   "James",   "Robert",  "Michael", "David",
    "William", "Richard", "Susan",  "Karen",   "Nancy",   "Betty",   "Helen",   "Sandra",  "Donna",
    "Carol",   "Ruth",    "Sharon", "Laura",   "Sarah",   "Kevin",   "Brian",   "Eric",    "Steven",
    "Frank",   "Larry",   "Scott",  "Jeff",    "Ray",     "Billy",   "Bobby",   "Tommy",   "Johnny",
    "Willie",  "Ella",    "Nina",   "Aretha",  "Dolly",   "Patsy",   "Loretta", "Etta",    "Buddy",
    "Chuck",   "Elvis",   "Otis",   "Marvin",  "Stevie",  "Curtis",  "Al",      "Van",     "Tom",
    "Neil",    "Joni",    "Carole", "Emmylou", "Lucinda", "Gillian", "Norah",   "Amy",     "Adele",
    "Duffy",   "Kate",    "Tori",   "Fiona",   "Regina",  "Ani",     "Suzanne",
};

constexpr std::string_view kSurnames[] = {
    "Smith",      "Johnson", "Williams", "Brown",    "Jones",   "Miller",  "Davis",      "Wilson",
    "Anderson",   "Taylor",  "Thomas",   "Moore",    "Martin",  "Jackson", "Thompson",   "White",
    "Harris",     "Clark",   "Lewis",    "Robinson", "Walker",  "Young",   "Allen",      "King",
    "Wright",     "Scott",   "Green",    "Baker",    "Adams",   "Nelson",  "Hill",       "Campbell",
    "Mitchell",   "Roberts", "Carter",   "Phillips", "Evans",   "Turner",  "Parker",     "Collins",
    "Edwards",    "Stewart", "Morris",   "Murphy",   "Cook",    "Rogers",  "Morgan",     "Cooper",
    "Peterson",   "Reed",    "Bailey",   "Bell",     "Kelly",   "Howard",  "Ward",       "Cox",
    "Richardson", "Wood",    "Watson",   "Brooks",   "Bennett", "Gray",    "Hughes",     "Price",
    "Sanders",    "Myers",   "Long",     "Ross",     "Foster",  "O'Brien", "McAllister", "Van Dyke",
};

constexpr std::string_view kLatinFirstNames[] = {
    "Björk",  "Björn",  "Sigurður",  "Þóra",   "Jürgen",  "Günther", "Jörg",   "Françoise",
    "Hélène", "Zoé",    "Mélanie",   "Renée",  "José",    "Inés",    "Ramón",  "Begoña",
    "Núria",  "João",   "Conceição", "Søren",  "Åse",     "Øystein", "Mårten", "Åsa",
    "Łukasz", "Bożena", "Jiří",      "Tomáš",  "Antonín", "Zoltán",  "Ádám",   "Çağla",
    "Şebnem", "Iñaki",  "Agnès",     "Maëlle",
};

constexpr std::string_view kLatinSurnames[] = {
    "Guðmundsdóttir", "Þórsson",   "Müller",    "Schröder",  "Weiß",          "Strauß",
    "Gößling",        "Böhm",      "Lefèvre",   "Bézier",    "Dubois-Crépin", "Gonçalves",
    "Núñez",          "Peña",      "Muñoz",     "Ibáñez",    "Ødegaard",      "Bjørnstad",
    "Ångström",       "Källström", "Wałęsa",    "Dvořáková", "Novák",         "Erdoğan",
    "Öztürk",         "Nagy-Tóth", "Håkansson", "Sæther",    "Garcés",        "Brontë",
};

constexpr std::string_view kCyrillicFirstNames[] = {
    "Алла",    "Борис", "Владимир", "Галина",   "Дмитрий", "Екатерина",
    "Жанна",   "Зоя",   "Игорь",    "Ксения",   "Людмила", "Михаил",
    "Наталья", "Ольга", "Пётр",     "Светлана", "Фёдор",   "Юрий",
};

constexpr std::string_view kCyrillicSurnames[] = {
    "Иванов",  "Петрова",  "Смирнов", "Кузнецова", "Соколов", "Попова",  "Лебедев", "Козлова",
    "Новиков", "Морозова", "Волков",  "Алексеева", "Зайцев",  "Павлова", "Семёнов", "Голубева",
};

constexpr std::string_view kGreekFirstNames[] = {
    "Γιώργος",  "Μαρία", "Νίκος",   "Ελένη",     "Κώστας", "Αικατερίνη",
    "Δημήτρης", "Σοφία", "Γιάννης", "Αναστασία", "Μάνος",  "Χαρούλα",
};

constexpr std::string_view kGreekSurnames[] = {
    "Παπαδόπουλος", "Οικονόμου",  "Γεωργίου",    "Νικολάου",   "Αλεξίου",
    "Δημητρίου",    "Χατζηδάκις", "Μαρκοπούλου", "Θεοδωράκης", "Καραγιάννη",
};

constexpr std::string_view kChineseFamilyNames[] = {
    "王", "李", "張", "劉", "陳", "楊", "黄", "周", "吳", "趙", "孫", "徐", "𠮷",
};

constexpr std::string_view kChineseGivenNames[] = {
    "偉", "芳", "秀英", "敏", "静", "麗", "強", "磊", "娜", "傑", "曉明", "美玲", "志強",
};

constexpr std::string_view kJapaneseFamilyNames[] = {
    "佐藤", "鈴木", "高橋", "田中", "渡辺", "山本", "中村", "小林", "加藤", "𠮷田", "松本",
};

constexpr std::string_view kJapaneseGivenNames[] = {
    "美咲", "陽菜", "結衣", "大翔", "蓮", "翔太", "花子", "さくら", "ひろし", "健一", "由美",
};

constexpr std::string_view kKoreanFamilyNames[] = {
    "김", "이", "박", "최", "정", "강", "조", "윤", "장", "임",
};

constexpr std::string_view kKoreanGivenNames[] = {
    "민준", "서연", "지우", "하은", "도윤", "서준", "지민", "수빈", "예은", "현우",
};

constexpr std::string_view kBandAdjectives[] = {
    "Rolling",   "Electric", "Velvet",   "Crimson",  "Silver",   "Black", "White",
    "Golden",    "Lonely",   "Midnight", "Flying",   "Wild",     "Crazy", "Holy",
    "Screaming", "Silent",   "Dancing",  "Burning",  "Broken",   "Lucky", "Mighty",
    "Jolly",     "Neon",     "Cosmic",   "Northern", "Southern", "Iron",
};

constexpr std::string_view kBandNouns[] = {
    "Stones",    "Beetles",  "Doors",    "Kings",  "Queens",   "Ramblers", "Drifters", "Wanderers",
    "Travelers", "Monkeys",  "Animals",  "Birds",  "Eagles",   "Ravens",   "Wolves",   "Tigers",
    "Pilots",    "Sailors",  "Soldiers", "Angels", "Saints",   "Sinners",  "Brothers", "Sisters",
    "Strangers", "Ghosts",   "Shadows",  "Echoes", "Machines", "Engines",  "Rockets",  "Comets",
    "Planets",   "Diamonds", "Roses",    "Hearts", "Skulls",   "Crows",    "Foxes",    "Bears",
};

constexpr std::string_view kEnsembles[] = {
    "Quartet", "Trio",  "Quintet",    "Orchestra", "Big Band",   "Ensemble", "Band",  "Combo",
    "Singers", "Choir", "Experience", "Project",   "Collective", "Sound",    "Revue",
};

constexpr std::string_view kStyles[] = {
    "Ballad",   "Up-tempo",   "Mid-tempo", "Slow",       "Instrumental", "Acoustic",
    "Electric", "A cappella", "Live",      "Orchestral", "Dance",        "Swing",
    "Shuffle",  "Waltz",      "March",     "Funky",      "Groovy",       "Mellow",
    "Upbeat",   "Dark",       "Ambient",   "Duet",       "Chorus",       "Solo piano",
    "Big band", "Unplugged",  "Remix",     "Torch song", "Power ballad", "Novelty",
};

constexpr std::string_view kGenres[] = {
    "Rock",       "Pop",
    "Jazz",       "Blues",
    "Country",    "Folk",
    "Classical",  "Soul",
    "Funk",       "Disco",
    "Reggae",     "Ska",
    "Punk",       "Metal",
    "Hip Hop",    "Rap",
    "Electronic", "House",
    "Techno",     "Trance",
    "Ambient",    "Gospel",
    "R&B",        "Bluegrass",
    "Swing",      "Bossa Nova",
    "Samba",      "Tango",
    "Flamenco",   "Fado",
    "Chanson",    "Schlager",
    "Polka",      "Salsa",
    "Merengue",   "Cumbia",
    "Opera",      "Baroque",
    "Soundtrack", "World",
    "New Age",    "Easy Listening",
    "Grunge",     "Indie",
    "Dub",        "Zydeco",
    "Cajun",      "K-Pop",
    "J-Pop",      "Música Popular",
    "Шансон",     "Ρεμπέτικο",
    "演歌",
};

constexpr std::string_view kGenreModifiers[] = {
    "Classic",  "Modern",       "Early",       "Late",   "Progressive", "Alternative",
    "Acoustic", "Electric",     "Latin",       "Nordic", "Christmas",   "Children's",
    "Live",     "Experimental", "Traditional", "Smooth", "Hard",        "Soft",
};

constexpr std::string_view kPlaces[] = {
    "Abbey Studio, London",   "Sun Studio, Memphis",     "Hansa Tonstudio, Berlin",
    "Studio Ferber, Paris",   "Muscle Shoals",           "Electric Lady, New York",
    "Estudio Sonoro, Madrid", "Sundlaugin, Mosfellsbær", "Polar Studios, Stockholm",
    "Студия Мелодия, Москва", "Στούντιο Αθήνα",          "音響ハウス, 東京",
    "Royal Albert Hall",      "Carnegie Hall",           "Olympia, Paris",
    "Montreux Jazz Festival", "Village Vanguard",        "the band's garage",
    "a hotel room in Rome",
};

constexpr std::string_view kClassicalForms[] = {
    "Symphony", "Concerto", "Sonata",  "Suite",   "Quartet", "Quintet",  "Prelude",      "Fugue",
    "Étude",    "Nocturne", "Mazurka", "Requiem", "Cantata", "Serenade", "Divertimento",
};

constexpr std::string_view kMusicalKeys[] = {
    "C major",       "C minor", "D major", "D minor", "E-flat major", "E minor",      "F major",
    "F-sharp minor", "G major", "G minor", "A major", "A minor",      "B-flat major", "B minor",
};

constexpr std::string_view kAlbumPrefixes[] = {
    "Greatest Hits", "The Best of",  "Live at",   "Songs from",       "Return to", "Tales of",
    "Music for",     "Letters from", "Anthology", "The Very Best of", "Essential", "Unplugged",
};

}  // namespace

List titleWords() {
    return kTitleWords;
}
List latinTitleWords() {
    return kLatinTitleWords;
}
List cyrillicWords() {
    return kCyrillicWords;
}
List greekWords() {
    return kGreekWords;
}
List cjkWords() {
    return kCjkWords;
}
List fillerWords() {
    return kFillerWords;
}
List firstNames() {
    return kFirstNames;
}
List surnames() {
    return kSurnames;
}
List latinFirstNames() {
    return kLatinFirstNames;
}
List latinSurnames() {
    return kLatinSurnames;
}
List cyrillicFirstNames() {
    return kCyrillicFirstNames;
}
List cyrillicSurnames() {
    return kCyrillicSurnames;
}
List greekFirstNames() {
    return kGreekFirstNames;
}
List greekSurnames() {
    return kGreekSurnames;
}
List chineseFamilyNames() {
    return kChineseFamilyNames;
}
List chineseGivenNames() {
    return kChineseGivenNames;
}
List japaneseFamilyNames() {
    return kJapaneseFamilyNames;
}
List japaneseGivenNames() {
    return kJapaneseGivenNames;
}
List koreanFamilyNames() {
    return kKoreanFamilyNames;
}
List koreanGivenNames() {
    return kKoreanGivenNames;
}
List bandAdjectives() {
    return kBandAdjectives;
}
List bandNouns() {
    return kBandNouns;
}
List ensembles() {
    return kEnsembles;
}
List styles() {
    return kStyles;
}
List genres() {
    return kGenres;
}
List genreModifiers() {
    return kGenreModifiers;
}
List places() {
    return kPlaces;
}
List classicalForms() {
    return kClassicalForms;
}
List musicalKeys() {
    return kMusicalKeys;
}
List albumPrefixes() {
    return kAlbumPrefixes;
}

}  // namespace cdz::gen::words
