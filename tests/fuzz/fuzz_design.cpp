// The design-file reader and what opening a design does with its lines: each tool line is
// read into its picture, place and opacity, and the tool list shows a row for it.
#include "FuzzSupport.h"

#include "tools/DesignFile.h"
#include "tools/LibraryLogic.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QStringList lines = decodeDesign(fuzz::bytes(data, size));
    for (const QString& line : lines)
        fuzz::check(!line.contains(u'\r') && !line.contains(u'\n'), "a line end within a line");
    // What is read is written back the same: nothing is lost by opening and saving a design.
    fuzz::check(decodeDesign(encodeDesign(lines)) == lines, "lines changed by writing them back");

    for (qsizetype i = 1; i < lines.size(); ++i) {
        const DesignTool tool = readDesignLine(lines[i]);
        if (tool.opacity)
            fuzz::check(*tool.opacity >= 0 && *tool.opacity <= 255, "an opacity beyond 0..255");
        if (!tool.numbersOk()) continue;
        const QString row = toolRow(tool.picture, 7, *tool.Left, *tool.Top, *tool.opacity);
        fuzz::check(row.size() >= ToolRowWidth, "a tool row narrower than the list");
        fuzz::check(toolRowId(row) == 7, "a tool row that does not give back its id");
        const DesignTool again =
            readDesignLine(designLine(tool.picture, *tool.Left, *tool.Top, *tool.opacity));
        fuzz::check(again.picture == tool.picture && again.Left == tool.Left &&
                        again.Top == tool.Top && again.opacity == tool.opacity,
                    "a tool line that does not read back as written");
    }
    return 0;
}
