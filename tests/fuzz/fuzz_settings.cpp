// The settings reader and its value rules: every key of the table read from any file, and
// the folder keys that a program without windows reads.
#include "FuzzSupport.h"

#include "app/Folders.h"
#include "app/RavoIni.h"
#include "app/SettingsKeys.h"

#include <variant>

namespace {

bool isText(SettingRule rule) {
    return rule == SettingRule::Text || rule == SettingRule::FontName;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const RavoIni ini = RavoIni::fromBytes(fuzz::bytes(data, size));
    for (const SettingsKey& k : settingsKeys()) {
        const SettingValue v = readSetting(ini, k);
        if (std::holds_alternative<std::monostate>(k.fallback)) {
            fuzz::check(std::holds_alternative<std::monostate>(v), "a value for a key never read");
            continue;
        }
        if (isText(k.rule)) {
            fuzz::check(std::holds_alternative<QString>(v), "a text key read as no text");
            if (k.rule == SettingRule::FontName)
                fuzz::check(!std::get<QString>(v).isEmpty(), "an empty font name");
            continue;
        }
        fuzz::check(std::holds_alternative<int>(v), "a number key read as no number");
        const int n = std::get<int>(v);
        if (k.rule == SettingRule::Flag) fuzz::check(n == 0 || n == 1, "a flag other than 0 or 1");
        if (k.rule == SettingRule::MinusOneIsThree) fuzz::check(n != -1, "a width of -1 kept");
    }
    Folders folders;
    readFolderSettings(ini, folders);
    return 0;
}
