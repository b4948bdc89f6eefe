// The sample page: four winter months with their holidays, the family's
// birthdays and a household's appointments.
#include "examples/samplepage.h"

#include "calendar/document.h"
#include "calendar/monthlayout.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {

constexpr Colour rgb(int red, int green, int blue) { return red | green << 8 | blue << 16; }

// How a cell's text is drawn: face, points, style word, alignment, colours.
struct Look {
    const char* face;
    int16_t points;
    int32_t styles;
    int16_t alignment;
    Colour text;
    Colour back;
};

constexpr Colour white = rgb(255, 255, 255);
constexpr Colour sundayBack = rgb(253, 238, 236);

constexpr Look holiday{"Arial", 14, styleBold, alignCentre, rgb(150, 20, 30), rgb(250, 214, 214)};
constexpr Look feast{"Times New Roman", 20, styleBold, alignCentre, rgb(170, 20, 35), rgb(255, 232, 160)};
constexpr Look birthday{"Times New Roman", 13, styleItalic, alignCentre, rgb(130, 60, 0), rgb(255, 240, 190)};
constexpr Look appointment{"Liberation Sans Narrow", 12, 0, alignRight, rgb(20, 50, 110), white};
constexpr Look errand{"Arial", 10, 0, alignLeft, rgb(0, 0, 0), white};
constexpr Look note{"Times New Roman", 10, 0, alignJustified, rgb(0, 0, 0), white};
constexpr Look smallPrint{"Times New Roman", 10, styleLeading, alignJustified, rgb(70, 70, 70), white};
constexpr Look cancelled{"Arial", 10, styleStrikeout, alignLeft, rgb(125, 125, 125), white};
constexpr Look deadline{"Courier New", 10, styleBold, alignRight, rgb(140, 0, 0), rgb(222, 234, 250)};
constexpr Look school{"DejaVu Serif", 12, styleBold | styleUnderline, alignLeft, rgb(0, 90, 60), white};

struct Entry {
    int column;  // 1 December 2027, 2 January, 3 February, 4 March 2028
    int day;
    const char* text;  // UTF-8
    Look look;
};

// clang-format off
const Entry entries[] = {
    {1, 1, "Encargar el turrón y los mantecados en la pastelería de la plaza.", errand},
    {1, 3, "Cena de empresa · Restaurante El Olivo, 21:30", {"DejaVu Sans", 11, styleBold, alignCentre, rgb(60, 30, 90), rgb(236, 228, 246)}},
    {1, 6, "Día de la Constitución", holiday},
    {1, 8, "Inmaculada Concepción", holiday},
    {1, 10, "Dentista · Dr. Moreno 17:30", appointment},
    {1, 13, "Cumpleaños de la abuela Carmen (82 años)", birthday},
    {1, 16, "Junta de vecinos a las 19:00 en el portal. Orden del día: ascensor, pintura de la escalera y cuotas de 2028.", note},
    {1, 20, "Empiezan las vacaciones: recoger a los niños del colegio a las 13:00.", {"Arial", 10, styleItalic, alignLeft, rgb(0, 0, 0), white}},
    {1, 22, "Sorteo de la Lotería de Navidad", {"DejaVu Sans", 12, styleBold, alignCentre, rgb(0, 90, 40), rgb(255, 226, 140)}},
    {1, 24, "Nochebuena · cena en casa de los abuelos", {"Times New Roman", 14, styleBold | styleItalic, alignCentre, rgb(0, 100, 0), rgb(214, 238, 214)}},
    {1, 25, "Navidad", feast},
    {1, 28, "Santos Inocentes: ¡cuidado con las bromas!", {"Times New Roman", 12, styleItalic, alignLeft, rgb(120, 40, 120), white}},
    {1, 31, "Nochevieja · las uvas a las doce", {"DejaVu Sans", 14, styleBold, alignCentre, rgb(25, 35, 110), rgb(222, 228, 246)}},

    {2, 1, "Año Nuevo", holiday},
    {2, 5, "Cabalgata de Reyes 18:00 · plaza Mayor", appointment},
    {2, 6, "Epifanía del Señor (Reyes)", holiday},
    {2, 10, "Vuelta al colegio", school},
    {2, 12, "Peluquería 10:00 (anulada)", cancelled},
    {2, 15, "Revisión del coche en el taller: cambio de aceite, filtros y neumáticos delanteros. Llevar la ficha técnica y el libro de mantenimiento.", note},
    {2, 19, "Cumpleaños de Lucía (9 años) · merienda en casa", {"Times New Roman", 12, styleItalic, alignCentre, rgb(160, 30, 100), rgb(255, 224, 236)}},
    {2, 24, "Pagar el IBI y el seguro del hogar", deadline},
    {2, 26, "Curso de fotografía, martes y jueves de 19:00 a 21:00", errand},
    {2, 31, "Nota: la farmacia de guardia del barrio cambia de horario en febrero; consultar el tablón del ayuntamiento antes de ir.", smallPrint},

    {3, 2, "La Candelaria: llevar las rosquillas a la parroquia", {"DejaVu Serif", 10, styleItalic, alignCentre, rgb(90, 60, 20), white}},
    {3, 4, "Entrega del informe trimestral", deadline},
    {3, 11, "Aniversario de boda · reservar mesa para dos", {"Times New Roman", 12, styleItalic | styleUnderline, alignCentre, rgb(140, 10, 40), white}},
    {3, 14, "San Valentín", {"Times New Roman", 18, styleBold | styleItalic, alignCentre, rgb(180, 20, 60), rgb(250, 210, 225)}},
    {3, 18, "Médico de cabecera 9:15 · análisis en ayunas", appointment},
    {3, 22, "Cumpleaños de Javier", {"Liberation Sans Narrow", 14, styleBold, alignCentre, rgb(130, 60, 0), rgb(255, 240, 190)}},
    {3, 25, "Cita con la gestoría: facturas del trimestre, recibos de autónomos y borrador de la declaración de la renta.", {"Arial", 9, 0, alignJustified, rgb(0, 0, 0), white}},
    {3, 28, "Día de Andalucía", holiday},
    {3, 29, "29 de febrero: ¡año bisiesto!", {"DejaVu Serif", 12, styleItalic, alignCentre, rgb(70, 40, 150), rgb(230, 225, 250)}},

    {4, 1, "Miércoles de Ceniza", {"Times New Roman", 12, styleItalic, alignRight, rgb(100, 100, 100), white}},
    {4, 8, "Día Internacional de la Mujer · manifestación a las 12:00", {"Arial", 11, styleBold, alignCentre, rgb(100, 30, 130), rgb(236, 220, 246)}},
    {4, 10, "Teatro: «La casa de Bernarda Alba», 20:30, fila 7", errand},
    {4, 14, "Dentista 16:00 (revisión)", appointment},
    {4, 19, "San José · Día del Padre", {"Times New Roman", 14, styleBold, alignCentre, rgb(20, 70, 140), rgb(214, 230, 250)}},
    {4, 20, "Comienza la primavera", {"DejaVu Sans", 12, styleItalic, alignCentre, rgb(30, 110, 30), rgb(222, 244, 214)}},
    {4, 23, "Excursión a la sierra con el club de montaña: salida a las 7:30 desde la estación. Llevar bocadillo, agua y chubasquero.", note},
    {4, 26, "Cambio de hora: a las 2:00 serán las 3:00", deadline},
    {4, 28, "Cumpleaños de Marta", birthday},
};
// clang-format on

// The texts are written here in UTF-8; cells hold Windows-1252, which has
// every Latin-1 character at its own code.
std::string windows1252(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            out.push_back(static_cast<char>(byte));
        } else if ((byte == 0xC2 || byte == 0xC3) && i + 1 < utf8.size()) {
            const auto next = static_cast<unsigned char>(utf8[++i]);
            out.push_back(static_cast<char>(((byte & 0x03) << 6) | (next & 0x3F)));
        } else {
            out.push_back('?');
        }
    }
    return out;
}

void applyLook(DayCell& cell, const Look& look) {
    assignField(cell.fontName, look.face);
    cell.fontSize = look.points;
    cell.bold = (look.styles & styleBold) != 0;
    cell.italic = (look.styles & styleItalic) != 0;
    cell.underline = (look.styles & styleUnderline) != 0;
    cell.strikeout = (look.styles & styleStrikeout) != 0;
    cell.leading = (look.styles & styleLeading) != 0;
    cell.alignment = look.alignment;
    cell.fontColour = look.text;
    cell.backColour = look.back;
}

}  // namespace

void buildSamplePage() {
    resetAllCells();
    firstMonth = 12;
    firstYear = 2027;
    lineColour = rgb(70, 90, 120);
    weekdayDateColour = rgb(30, 45, 80);
    sundayDateColour = rgb(200, 30, 40);
    for (int column = 1; column <= pageColumns; ++column) {
        const MonthYear shown = columnMonth(firstMonth, firstYear, column);
        for (int day = 1; day <= daysInMonth(shown.month, shown.year); ++day) {
            DayCell& cell = cellAt(column, day);
            cell.column = static_cast<int16_t>(column);
            cell.day = static_cast<int16_t>(day);
            if (weekdayOf(shown.year, shown.month, day) == 1) cell.backColour = sundayBack;
        }
    }
    for (const Entry& entry : entries) {
        DayCell& cell = cellAt(entry.column, entry.day);
        applyLook(cell, entry.look);
        assignField(cell.text, windows1252(entry.text));
    }
}
