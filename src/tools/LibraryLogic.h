#pragma once
// Rules of the tool library and the on-screen tool list that need no window: the rows of
// a folder's listing and their order, the way up a folder path, the steps and waits of a
// tool sliding in, the fixed-width rows of the tool list, and the lines of a design file.
#include <QChar>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringView>

#include <optional>

// The curtain picture's name: the caption of its tool, and with ".JPG" its file in the
// installation folder.
inline const QString CurtainPicture = QStringLiteral("ZedozaVudedAve");

// Where a tool taken from the library slides to: 300 pixels left of the library window
// standing at the right screen edge, and a little above the middle of the screen.
QPoint defaultSlideTarget(QSize screen, int libraryOuterWidth);

// One entry of a folder as the library lists it.
struct LibraryRow {
    QString caption;   // a folder's name; a file's name up to its first '.'
    QChar kind;        // 'D' folder, 'S' design (".rvo" in any case), 'F' tool picture
    QString extension; // a file's name from its last '.' on, as on disk; empty for a folder
    bool operator==(const LibraryRow&) const = default;
};
LibraryRow libraryRow(const QString& name, bool folder);
// The name of the row's file in the folder: caption and extension rebuilt.
QString libraryRowPath(const QString& folder, const LibraryRow& row);

// The order of the listing: folders first, then captions with A..Z taken without case and
// every other character by its code. Negative, zero or positive as for a comparison.
int FileListCompare(const LibraryRow& Item1, const LibraryRow& Item2);

// The parent of a folder path that ends with '\' or '/': the path cut just after its
// second-to-last separator.
QString GetUpperFolder(const QString& aFolder);

// The slide of a new tool from the right screen edge to its target Left `Xanipos`.
struct Slide {
    int Distance = 0;
    int Delta = 0;
};
// About fifty steps: Delta is a fiftieth of the distance, halves to the even step. The
// distance is held within the int range for targets far off the left edge.
Slide slideStart(int screenWidth, int Xanipos);
// One step: the window's new Left, never left of the target. A Delta of 0 (a target within
// 25 pixels of the edge) would never arrive, so such a slide arrives in one step.
int slideStep(Slide& slide, int Xanipos);
// The wait between steps, in milliseconds, for the options' Speed slider (1..100).
int slideWait(int Speed);

// The width of a row of the on-screen tool list, and of its fields.
constexpr int ToolRowNameWidth = 100;
constexpr int ToolRowFieldWidth = 10;
constexpr int ToolRowWidth = ToolRowNameWidth + 4 * ToolRowFieldWidth;
// A tool's name in the list: its caption without folder, up to the first '.'; empty when
// the caption has none.
QString toolRowName(const QString& caption);
// A row: the name, then the id, Left, Top and opacity, each padded or cut to its width.
QString toolRow(const QString& caption, int id, int left, int top, int opacity);
// The tool id a row names, or none when its id field holds no whole number.
std::optional<int> toolRowId(const QString& row);

// The lines of a design file, without their line ends.
QString designHeader(QSize screen);
QString designLine(const QString& picture, int left, int top, int opacity);
// The picture a tool's line names: its caption, or for a tool made from the surface (its
// caption ends with '.') the bitmap that saving it under its name writes in the folder.
QString designPicture(const QString& caption, const QString& toolsFolder);

// One tool line read back. The numbers are there only when each field is a whole decimal
// number within the int range, Left and Top with an optional minus sign, the opacity
// without sign; the opacity is then held to 0..255.
struct DesignTool {
    QString picture;
    std::optional<int> Left;
    std::optional<int> Top;
    std::optional<int> opacity;
    bool numbersOk() const { return Left && Top && opacity; }
};
DesignTool readDesignLine(QStringView line);
