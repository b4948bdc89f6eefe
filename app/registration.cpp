#include "app/registration.h"

#include "app/registrytext.h"
#include "platform/message.h"
#include "platform/registry.h"

#include <optional>

namespace {

// The steps of the look-up below one classes key: the extension's default
// value names the type, whose command key's default value is the command.
std::wstring openCommandUnder(HKEY root, const std::wstring& classesKey, const std::wstring& extension) {
    const std::optional<std::wstring> typeName = readRegistryString(root, joinKeyPath(classesKey, extension), L"");
    if (!typeName || typeName->empty()) return {};
    const std::optional<std::wstring> command =
        readRegistryString(root, joinKeyPath(classesKey, lookUpCommandKeyPath(*typeName)), L"");
    if (!command || command->empty()) return {};
    return expandEnvironmentStrings(*command);
}

}  // namespace

void registrationCheck() {
    if (isRegisteredCommand(queryOpenCommand(std::wstring(workFileExtension)))) return;
    if (askYesNo(registrationQuestionText(), std::wstring(registrationQuestionCaption)))
        registerFileType(std::wstring(workFileExtensionWord), 0);
}

std::wstring queryOpenCommand(const std::wstring& extension) {
    // Windows shows both through HKEY_CLASSES_ROOT, Wine only the machine's:
    // read the user's own classes explicitly.
    std::wstring command = openCommandUnder(HKEY_CURRENT_USER, std::wstring(userClassesKey), extension);
    if (isRegisteredCommand(command)) return command;
    command = openCommandUnder(HKEY_CLASSES_ROOT, L"", extension);
    if (isRegisteredCommand(command)) return command;
    return {};
}

void registerFileType(const std::wstring& extension, std::int32_t iconIndex) {
    const std::wstring error = extensionError(extension);
    if (!error.empty()) {
        showMessage(error);
        return;
    }
    const std::wstring program = programFilePath();
    if (program.empty()) return;
    const std::wstring classes(userClassesKey);
    bool written = setRegistryValue(HKEY_CURRENT_USER, joinKeyPath(classes, extensionKeyPath(extension)), L"",
                                    fileTypeName(extension));
    written |= setRegistryValue(HKEY_CURRENT_USER, joinKeyPath(classes, defaultIconKeyPath(extension)), L"",
                                defaultIconText(program, iconIndex));
    written |= setRegistryValue(HKEY_CURRENT_USER, joinKeyPath(classes, openCommandKeyPath(extension)), L"",
                                openCommandText(program));
    if (written) announceAssociationChange();
}

bool setRegistryValue(HKEY root, const std::wstring& subKey, const std::wstring& name, const std::wstring& value) {
    if (root == nullptr) root = HKEY_CURRENT_USER;
    return writeRegistryString(root, std::wstring(stripBackslashes(subKey)), name, value) == ERROR_SUCCESS;
}
