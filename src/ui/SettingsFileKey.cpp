#include "ui/SettingsFileKey.h"

#include "base/Error.h"

namespace {

[[noreturn]] void InvalidDataType(const std::string& name) {
    throw quillaby::Error("Invalid data type for '" + name + "'");
}

[[noreturn]] void FailedToSet(const std::string& name) {
    throw quillaby::Error("Failed to set data for '" + name + "'");
}

} // namespace

TSettingsFileKey::TSettingsFileKey(std::unique_ptr<quillaby::platform::SettingsFile> file, bool readOnly)
    : FFile(std::move(file)), FReadOnly(readOnly), FText(FFile->Read().value_or(std::string())) {}

std::string TSettingsFileKey::FileName(const std::string& company, const std::string& title) {
    return (company.empty() ? std::string() : company + "/") + title + ".conf";
}

std::unique_ptr<TSettingsFileKey> TSettingsFileKey::Open(quillaby::platform::RegistryRoot root,
                                                         const std::string& company, const std::string& title,
                                                         bool readOnly) {
    using quillaby::platform::SettingsRoot;
    const bool machine = root == quillaby::platform::RegistryRoot::LocalMachine;
    return std::make_unique<TSettingsFileKey>(
        quillaby::platform::OpenSettingsFile(machine ? SettingsRoot::Machine : SettingsRoot::User,
                                             FileName(company, title)),
        readOnly || machine);
}

bool TSettingsFileKey::ValueExists(const std::string& name) const {
    return FText.Find(name).Kind != TSettingsText::TKind::Missing;
}

int32_t TSettingsFileKey::ReadInteger(const std::string& name) const {
    const auto value = FText.Find(name);
    if (value.Kind != TSettingsText::TKind::Integer) InvalidDataType(name);
    return value.Integer;
}

std::string TSettingsFileKey::ReadString(const std::string& name) const {
    const auto value = FText.Find(name);
    if (value.Kind == TSettingsText::TKind::Missing) return {};
    if (value.Kind != TSettingsText::TKind::String) InvalidDataType(name);
    return value.String;
}

void TSettingsFileKey::WriteInteger(const std::string& name, int32_t value) {
    if (FReadOnly) FailedToSet(name);
    FPending.emplace_back(name, value);
}

void TSettingsFileKey::Flush() {
    if (FPending.empty()) return;
    std::string written;
    const bool ok = FFile->Update([&](const std::optional<std::string>& current) {
        TSettingsText text(current.value_or(std::string()));
        for (const auto& [name, value] : FPending) text.SetInteger(name, value);
        written = text.Text();
        return written;
    });
    if (!ok) FailedToSet(FPending.front().first);
    FText = TSettingsText(written);
    FPending.clear();
}
