#include "app/PaletteLogic.h"

int besideLeft(int paletteLeft, int paletteWidth, int width) {
    return paletteLeft >= 100 ? paletteLeft - width : paletteLeft + paletteWidth;
}

int bottomRuleTop(int screenHeight, int height, int taskbarHeight) {
    if (taskbarHeight == screenHeight) return screenHeight - height;
    return screenHeight - height - taskbarHeight;
}

int surfaceHeight(int screenHeight, int taskbarHeight) {
    return taskbarHeight == screenHeight ? screenHeight : screenHeight - taskbarHeight;
}

QPoint curtainMenuPos(int paletteLeft, int paletteTop, int paletteWidth, int screenWidth) {
    if (paletteLeft > screenWidth - 200) return {paletteLeft - 88, paletteTop + 20};
    return {paletteLeft + paletteWidth, paletteTop + 20};
}
