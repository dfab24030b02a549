// The options key in the real registry: value types, the messages of a wrong type and a refused
// write, and the machine's "Path".
#include "platform/win32/WinApi.h"
#include <gtest/gtest.h>

#include <functional>

#include "base/Error.h"
#include "ui/Registry.h"

namespace {

// A company of its own per test process, removed afterwards from both roots.
class RegistryTest : public ::testing::Test {
  protected:
    const std::string Company = "Harnwick Test " + std::to_string(GetCurrentProcessId());
    const std::string KeyPath = "Software\\" + Company + "\\Quillaby";

    void TearDown() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + Company).c_str());
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, ("Software\\" + Company).c_str());
    }

    DWORD TypeOf(HKEY root, const std::string& name) {
        DWORD type = REG_NONE;
        RegGetValueA(root, KeyPath.c_str(), name.c_str(), RRF_RT_ANY, &type, nullptr, nullptr);
        return type;
    }

    void SetString(HKEY root, const std::string& name, const std::string& text) {
        RegSetKeyValueA(root, KeyPath.c_str(), name.c_str(), REG_SZ, text.c_str(),
                        static_cast<DWORD>(text.size() + 1));
    }

    std::string MessageOf(const std::function<void()>& call) {
        try {
            call();
        } catch (const quillaby::Error& e) {
            return e.what();
        }
        return "(nothing raised)";
    }
};

TEST_F(RegistryTest, IntegersAndBooleansRoundTripAsDwords) {
    {
        auto key = TRegistry::Open(TRootKey::CurrentUser, Company, "Quillaby", false);
        key->WriteInteger("Count", -3);
        key->WriteBool("Sound", true);
        key->Flush();
    }
    EXPECT_EQ(TypeOf(HKEY_CURRENT_USER, "Count"), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(TypeOf(HKEY_CURRENT_USER, "Sound"), static_cast<DWORD>(REG_DWORD));
    const auto key = TRegistry::Open(TRootKey::CurrentUser, Company, "Quillaby", true);
    EXPECT_TRUE(key->ValueExists("Count"));
    EXPECT_FALSE(key->ValueExists("Missing"));
    EXPECT_EQ(key->ReadInteger("Count"), -3);
    EXPECT_TRUE(key->ReadBool("Sound"));
}

TEST_F(RegistryTest, WrongTypesAndRefusedWritesRaiseTheirMessages) {
    TRegistry::Open(TRootKey::CurrentUser, Company, "Quillaby", false); // creates the key
    SetString(HKEY_CURRENT_USER, "Count", "12");
    const auto key = TRegistry::Open(TRootKey::CurrentUser, Company, "Quillaby", true);
    EXPECT_EQ(MessageOf([&] { key->ReadInteger("Count"); }), "Invalid data type for 'Count'");
    EXPECT_EQ(MessageOf([&] { key->ReadInteger("Missing"); }), "Invalid data type for 'Missing'");
    EXPECT_EQ(MessageOf([&] { key->WriteInteger("Count", 1); }), "Failed to set data for 'Count'");
}

TEST_F(RegistryTest, ReadOnlyOpeningCreatesNothingAndTheMachineGivesPath) {
    const auto missing = TRegistry::Open(TRootKey::LocalMachine, Company, "Quillaby", true);
    EXPECT_FALSE(missing->ValueExists("Path"));
    EXPECT_EQ(missing->ReadString("Path"), "");
    HKEY probe = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, KeyPath.c_str(), 0, KEY_READ, &probe), ERROR_SUCCESS);

    HKEY created = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, KeyPath.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                              &created, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(created);
    SetString(HKEY_LOCAL_MACHINE, "Path", "C:\\Program Files\\Quillaby\\");
    const auto machine = TRegistry::Open(TRootKey::LocalMachine, Company, "Quillaby", true);
    EXPECT_EQ(machine->ReadString("Path"), "C:\\Program Files\\Quillaby\\");
    const DWORD number = 5;
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, KeyPath.c_str(), "Path", REG_DWORD, &number, sizeof number);
    EXPECT_EQ(MessageOf([&] { machine->ReadString("Path"); }), "Invalid data type for 'Path'");
}

} // namespace
