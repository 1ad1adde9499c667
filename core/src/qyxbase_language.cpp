// The language tables: month and weekday names, number words, language names and ISO 639 codes,
// in code page 1252 (non-ASCII letters as \x escapes: \xE4 = a umlaut, \xE9 = e acute, ...).
#include <qyx/QYX_qyxbase.h>

namespace qyx {

// clang-format off
const TFixedArray2D<std::string, lgUnknown, lgSpanish, 1, 12> MonthShort = {{
    /* lgUnknown */ {{"M01", "M02", "M03", "M04", "M05", "M06", "M07", "M08", "M09", "M10", "M11", "M12"}},
    /* lgEnglish */ {{"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"}},
    /* lgGerman  */ {{"J\xE4n", "Feb", "M\xE4r", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov",
                    "Dez"}},
    /* lgFrench  */ {{"jan", "f\xE9v", "mar", "avr", "mai", "juin", "jul", "ao\xFB", "sep", "oct", "nov",
                    "d\xE9" "c"}},
    /* lgSpanish */ {{"Ene", "Feb", "Mar", "Abr", "May", "Jun", "Jul", "Ago", "Sep", "Oct", "Nov", "Dic"}},
}};

// The French February keeps its trailing blank and the Spanish May reads "mai".
const TFixedArray2D<std::string, lgUnknown, lgSpanish, 1, 12> MonthLong = {{
    /* lgUnknown */ {{"M01", "M02", "M03", "M04", "M05", "M06", "M07", "M08", "M09", "M10", "M11", "M12"}},
    /* lgEnglish */ {{"January", "February", "March", "April", "May", "June", "July", "August", "September",
                    "October", "November", "December"}},
    /* lgGerman  */ {{"J\xE4nner", "Februar", "M\xE4rz", "April", "Mai", "Juni", "Juli", "August",
                    "September", "Oktober", "November", "Dezember"}},
    /* lgFrench  */ {{"janvier", "f\xE9vrier ", "mars", "avril", "mai", "juin", "juillet", "ao\xFBt",
                    "septembre", "octobre", "novembre", "d\xE9" "cembre"}},
    /* lgSpanish */ {{"enero", "febrero", "marzo", "abril", "mai", "junio", "julio", "agosto", "septiembre",
                    "octubre", "noviembre", "diciembre"}},
}};

const TFixedArray2D<std::string, lgUnknown, lgSpanish, 1, 7> WeekDayShort = {{
    /* lgUnknown */ {{"D01", "D02", "D03", "D04", "D05", "D06", "D07"}},
    /* lgEnglish */ {{"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"}},
    /* lgGerman  */ {{"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"}},
    /* lgFrench  */ {{"lun", "mar", "mer", "jeu", "ven", "sam", "dim"}},
    /* lgSpanish */ {{"lun", "mar", "mie", "jue", "vie", "sab", "dom"}},
}};

const TFixedArray2D<std::string, lgUnknown, lgSpanish, 1, 7> WeekDayLong = {{
    /* lgUnknown */ {{"D01", "D02", "D03", "D04", "D05", "D06", "D07"}},
    /* lgEnglish */ {{"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"}},
    /* lgGerman  */ {{"Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag", "Sonntag"}},
    /* lgFrench  */ {{"lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi", "dimanche"}},
    /* lgSpanish */ {{"lunes", "martes", "mi\xE9rcoles", "jueves", "viernes", "s\xE1" "bado", "domingo"}},
}};

const TFixedArray2D<std::string, lgUnknown, lgSpanish, 0, 12> NumWords = {{
    /* lgUnknown */ {{"N00", "N01", "N02", "N03", "N04", "N05", "N06", "N07", "N08", "N09", "N10", "N11",
                    "N12"}},
    /* lgEnglish */ {{"zero", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine", "ten",
                    "eleven", "twelve"}},
    /* lgGerman  */ {{"null", "eins", "zwei", "drei", "vier", "f\xFCnf", "sechs", "sieben", "acht", "neun",
                    "zehn", "elf", "zw\xF6lf"}},
    /* lgFrench  */ {{"z\xE9ro", "celui", "deux", "trois", "quatre", "cinq", "six", "sept", "huit", "neuf",
                    "dix", "onze", "douze"}},
    /* lgSpanish */ {{"cero", "uno", "dos", "tres", "cuatro", "cinco", "seis", "siete", "ocho", "nueve",
                    "diez", "once", "doce"}},
}};

// LanguageID[written in][named].
const TFixedArray2D<std::string, lgUnknown, lgSpanish, lgUnknown, lgSpanish> LanguageID = {{
    /* lgUnknown */ {{"???", "???", "???", "???", "???"}},
    /* lgEnglish */ {{"???", "English", "German", "French", "Spanish"}},
    /* lgGerman  */ {{"???", "englisch", "deutsch", "franz\xF6sisch", "spanisch"}},
    /* lgFrench  */ {{"???", "anglais", "allemand", "fran\xE7" "ais", "espagnol"}},
    /* lgSpanish */ {{"???", "ingl\xE9s", "alem\xE1n", "franc\xE9s", "espa\xF1ol"}},
}};

const TFixedArray<std::string, lgUnknown, lgSpanish> ISO639_2Char = {{"??", "en", "de", "fr", "es"}};
const TFixedArray<std::string, lgUnknown, lgSpanish> ISO639_3Char = {{"???", "eng", "ger", "fre", "spa"}};
// clang-format on

} // namespace qyx
