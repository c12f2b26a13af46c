// The main of every test program. Before any test runs, HOME and the XDG folders point into a
// private temporary folder, so that no test reads or writes the settings of the user who runs
// it; the folder is removed when the tests end. It also holds every program to the naming rule
// of parameterized tests (below).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

// Value-parameterized tests without a name generator end in the index of their case; CTest then
// names them after the printed parameter value. A value GoogleTest cannot print is shown as its
// bytes ("N-byte object <...>"), which for structs holding pointers (or padding) differ on every
// run. Such tests are listed here, one per line.
std::string UnnamedParameterizedTests() {
    std::string list;
    const ::testing::UnitTest& unit = *::testing::UnitTest::GetInstance();
    for (int i = 0; i < unit.total_test_suite_count(); ++i) {
        const ::testing::TestSuite& suite = *unit.GetTestSuite(i);
        for (int j = 0; j < suite.total_test_count(); ++j) {
            const ::testing::TestInfo& info = *suite.GetTestInfo(j);
            if (!info.value_param() ||
                std::string(info.value_param()).find("-byte object <") == std::string::npos)
                continue;
            const std::string name = info.name();
            const std::string last = name.substr(name.rfind('/') + 1);
            const bool index = !last.empty() && std::all_of(last.begin(), last.end(), [](char c) {
                return std::isdigit(static_cast<unsigned char>(c));
            });
            if (index) list += std::string("  ") + suite.name() + "." + name + "\n";
        }
    }
    return list;
}

// Fails the run when a parameterized suite would get such a name.
class NamingRule : public ::testing::Environment {
public:
    explicit NamingRule(std::string offenders) : m_offenders(std::move(offenders)) {}
    void SetUp() override {
        if (!m_offenders.empty())
            ADD_FAILURE() << "parameterized tests named after the bytes of their values (give the "
                             "INSTANTIATE_TEST_SUITE_P a name generator or the value a PrintTo):\n"
                          << m_offenders;
    }

private:
    std::string m_offenders;
};

} // namespace

int main(int argc, char** argv) {
    std::error_code error;
    const std::filesystem::path base = std::filesystem::temp_directory_path(error);
    std::string pattern =
        ((error ? std::filesystem::path("/tmp") : base) / "sonalyx-tests-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::perror("sonalyx tests: cannot create a private home");
        return 1;
    }
    const std::filesystem::path home = pattern;
    setenv("HOME", home.c_str(), 1);
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
        const std::filesystem::path folder = home / name;
        std::filesystem::create_directories(folder, error);
        setenv(name, folder.c_str(), 1);
    }
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new NamingRule(UnnamedParameterizedTests()));
    const int result = RUN_ALL_TESTS();
    std::filesystem::remove_all(home, error);
    return result;
}
