#include "cli/CliCommand.h"
#include "support/PulseServer.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);) parts.push_back(part);
    return parts;
}

} // namespace

TEST(CliDevices, VirtualCardComesFirst) {
    std::ostringstream out, err;
    EXPECT_EQ(RunCli({"devices"}, out, err), 0);
    EXPECT_EQ(out.str().substr(0, 8), "virtual\n");
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(RunCli({"devices", "extra"}, out, err), 2);
    EXPECT_EQ(err.str(), "usage: sonalyx-cli devices\n");
}

TEST(CliDevices, ListsTheSoundServerWithItsFields) {
    PulseServer server;
    ASSERT_TRUE(server.Ok()) << server.Error();
    std::ostringstream out, err;
    ASSERT_EQ(RunCli({"devices"}, out, err), 0);
    const auto lines = Split(out.str(), '\n');
    ASSERT_GE(lines.size(), 3u) << out.str();
    EXPECT_EQ(lines[0], "virtual");
    bool pulse = false;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto fields = Split(lines[i], '\t');
        ASSERT_EQ(fields.size(), 6u) << lines[i];
        EXPECT_EQ(fields[0], std::to_string(i - 1)) << lines[i];
        if (fields[1] != "pulse") continue;
        pulse = true;
        EXPECT_EQ(fields[2], "ALSA");
        EXPECT_GE(std::stoi(fields[3]), 2);
        EXPECT_GE(std::stoi(fields[4]), 2);
        EXPECT_GT(std::stod(fields[5]), 0.0);
    }
    EXPECT_TRUE(pulse) << out.str();
}
