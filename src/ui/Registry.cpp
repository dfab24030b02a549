#include "ui/Registry.h"

std::unique_ptr<TRegistry> TRegistry::Open(TRootKey root, const std::string& company,
                                           const std::string& title, bool readOnly) {
    using quillaby::platform::RegistryRoot;
    return std::make_unique<TRegistry>(quillaby::platform::OpenRegistryKey(
        root == TRootKey::LocalMachine ? RegistryRoot::LocalMachine : RegistryRoot::CurrentUser, company,
        title, readOnly));
}
