#include "ui/Registry.h"

#include "base/Error.h"

namespace {

[[noreturn]] void InvalidDataType(const std::string& name) {
    throw quillaby::Error("Invalid data type for '" + name + "'");
}

[[noreturn]] void FailedToSet(const std::string& name) {
    throw quillaby::Error("Failed to set data for '" + name + "'");
}

} // namespace

TRegistry::TRegistry(std::unique_ptr<quillaby::platform::SettingsFile> file, bool readOnly)
    : FFile(std::move(file)), FReadOnly(readOnly), FText(FFile->Read().value_or(std::string())) {}

std::string TRegistry::FileName(const std::string& company, const std::string& title) {
    return (company.empty() ? std::string() : company + "/") + title + ".conf";
}

std::unique_ptr<TRegistry> TRegistry::Open(TRootKey root, const std::string& company,
                                           const std::string& title, bool readOnly) {
    using quillaby::platform::SettingsRoot;
    const bool machine = root == TRootKey::LocalMachine;
    return std::make_unique<TRegistry>(
        quillaby::platform::OpenSettingsFile(machine ? SettingsRoot::Machine : SettingsRoot::User,
                                             FileName(company, title)),
        readOnly || machine);
}

bool TRegistry::ValueExists(const std::string& name) const {
    return FText.Find(name).Kind != TSettingsText::TKind::Missing;
}

int32_t TRegistry::ReadInteger(const std::string& name) const {
    const auto value = FText.Find(name);
    if (value.Kind != TSettingsText::TKind::Integer) InvalidDataType(name);
    return value.Integer;
}

std::string TRegistry::ReadString(const std::string& name) const {
    const auto value = FText.Find(name);
    if (value.Kind == TSettingsText::TKind::Missing) return {};
    if (value.Kind != TSettingsText::TKind::String) InvalidDataType(name);
    return value.String;
}

void TRegistry::WriteInteger(const std::string& name, int32_t value) {
    if (FReadOnly) FailedToSet(name);
    FPending.emplace_back(name, value);
}

void TRegistry::Flush() {
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
