#include "calendar/names.h"

// Rows are the languages in their order: Spanish, Catalan, Galician, Basque,
// Portuguese, French.

constexpr const char* kMonthNames[LanguageCount][12] = {
    // January .. December
    {"enero", "febrero", "marzo", "abril", "mayo", "junio", "julio", "agosto", "septiembre", "octubre", "noviembre",
     "diciembre"},
    {"gener", "febrer", "març", "abril", "maig", "juny", "juliol", "agost", "setembre", "octubre", "novembre",
     "desembre"},
    {"xaneiro", "febreiro", "marzo", "abril", "maio", "xuño", "xullo", "agosto", "setembro", "outubro", "novembro",
     "decembro"},
    {"urtarrila", "otsaila", "martxoa", "apirilia", "maiatza", "ekaina", "uztaila", "abuztua", "iraila", "urria",
     "azaroa", "abendua"},
    {"janeiro", "fevereiro", "março", "abril", "maio", "junho", "juhlo", "agosto", "setembro", "outubro", "novembro",
     "dezembro"},
    {"janvier", "février", "mars", "avril", "mai", "juin", "juillet", "août", "setembre", "octobre", "novembre",
     "décembre"},
};

constexpr const char* kWeekdayNames[LanguageCount][7] = {
    // Monday .. Sunday
    {"lunes", "martes", "miércoles", "jueves", "viernes", "sábado", "domingo"},
    {"dilluns", "dimarts", "dimecres", "dijous", "divendres", "dissabte", "diumenge"},
    {"luns", "martes", "mércores", "xoves", "venres", "sábado", "domingo"},
    {"astelehena", "asteartea", "asteazkena", "osteguna", "ostirala", "larumbata", "igandea"},
    {"segunda-feira", "terça-feira", "quarta-feira", "quinta-feira", "sexta-feira", "sabado", "domingo"},
    {"lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi", "dimanche"},
};

constexpr const char* kWeekdayInitials[LanguageCount][7] = {
    // Monday .. Sunday grid columns
    {"l", "m", "x", "j", "v", "s", "d"}, {"l", "m", "x", "j", "v", "s", "d"}, {"l", "m", "m", "x", "v", "s", "d"},
    {"l", "m", "x", "j", "v", "s", "d"}, {"s", "t", "q", "q", "s", "s", "d"}, {"l", "m", "m", "j", "v", "s", "d"},
};

constexpr const char* kMoonPhaseNames[LanguageCount][5] = {
    // heading, new, first quarter, full, last quarter
    {"Fases lunares", "Nueva", "Creciente", "Llena", "Menguante"},
    {"Fases de la Lluna", "Nova", "Creixent", "Plena", "Minvant"},
    {"Fases da lúa", "Lúa nova", "Crecente", "Lúa chea", "Minguante"},
    {"Ilargi-aldiak", "Ilberri", "Ilgora", "Ilbete", "Ilbehera"},
    {"Fases da lua", "Lua Nova", "Crescente", "Lua Cheia", "Minguante"},
    {"Phase lunaire", "Nouvelle", "P. Quartier", "Pleine Lune", "D. Quartier"},
};

constexpr const char* kZodiacNames[LanguageCount][12] = {
    // Aries .. Pisces
    {"Aries", "Tauro", "Géminis", "Cáncer", "Leo", "Virgo", "Libra", "Escorpio", "Sagitario", "Capricornio", "Acuario",
     "Piscis"},
    {"Àries", "Taure", "Bessons", "Cranc", "Lleó", "Verge", "Balança", "Escorpió", "Sagitari", "Capricorn", "Aquari",
     "Peixos"},
    {"Áries", "Touro", "Gêmeos", "Câncer", "Leão", "Virgem", "Libra", "Escorpião", "Sagitário", "Capricórnio",
     "Aquário", "Peixes"},
    {"Aries", "Taurus", "Geminis", "Cancer", "Leo", "Virgo", "Libra", "Scorpius", "Sagittarius", "Capricornius",
     "Aquarius", "Piscis"},
    {"Carneiro", "Touro", "Gémeos", "Caranguejo", "Leão", "Virgem", "Balança", "Escorpião", "Sagitário", "Capricórnio",
     "Aquário", "Peixes"},
    {"Bélier", "Taureau", "Gémeaux", "Cancer", "Lion", "Vierge", "Balance", "Scorpion", "Sagittaire", "Capricorne",
     "Verseau", "Poissons"},
};

// " 0" .. "57": two characters, right-aligned, blank-filled.
constexpr const char* kNumberTexts[58] = {
    " 0", " 1", " 2", " 3", " 4", " 5", " 6", " 7", " 8", " 9", "10", "11", "12", "13", "14",
    "15", "16", "17", "18", "19", "20", "21", "22", "23", "24", "25", "26", "27", "28", "29",
    "30", "31", "32", "33", "34", "35", "36", "37", "38", "39", "40", "41", "42", "43", "44",
    "45", "46", "47", "48", "49", "50", "51", "52", "53", "54", "55", "56", "57",
};

// A language the tables know: anything outside 0..5 reads as Spanish.
static int KnownLanguage(int language) { return language >= 0 && language < LanguageCount ? language : 0; }

const char* MonthName(int language, int month) { return kMonthNames[KnownLanguage(language)][month - 1]; }

const char* WeekdayName(int language, int weekday) { return kWeekdayNames[KnownLanguage(language)][weekday - 1]; }

const char* WeekdayInitials(int language, int column) { return kWeekdayInitials[KnownLanguage(language)][column]; }

const char* MoonPhaseName(int language, int entry) { return kMoonPhaseNames[KnownLanguage(language)][entry]; }

const char* ZodiacName(int language, int sign) { return kZodiacNames[KnownLanguage(language)][sign]; }

const char* NumberText(int n) { return kNumberTexts[n]; }

const char* DayNumberText(int day) { return kNumberTexts[day]; }
