// The client information of job accounting: the computer name as the ticket
// holds it, the client address form, and the primary address by the default route.
#include "client_info.h"

#include <gtest/gtest.h>
#include <net/if.h>
#include <sys/socket.h>

#include "param_name.h"

using namespace ovqaccount;

namespace {

struct TextRow {
  const char* name;
  std::string in;
  std::string out;
};

class ComputerName : public testing::TestWithParam<TextRow> {};
TEST_P(ComputerName, IsCutAndCleanedForTheTicket) { EXPECT_EQ(ComputerNameTicketText(GetParam().in), GetParam().out); }
INSTANTIATE_TEST_SUITE_P(
    ClientInfo, ComputerName,
    testing::Values(
        TextRow{.name = "Plain", .in = "Office Mac", .out = "Office Mac"},
        TextRow{.name = "SpacesOnly", .in = "    ", .out = ""},
        TextRow{.name = "RightQuote", .in = "Ann\xE2\x80\x99s", .out = "Ann___s"},
        TextRow{.name = "ControlByte", .in = "a\tb", .out = "a_b"},
        TextRow{.name = "CutAt32Bytes", .in = std::string(40, 'x'), .out = std::string(32, 'x')},
        // The cut keeps characters whole: a two-byte letter at bytes 32 and 33 is left out.
        TextRow{.name = "CutKeepsCharacters", .in = std::string(31, 'x') + "\xC3\xA9", .out = std::string(31, 'x')},
        TextRow{.name = "SixtyFourBytesIsTooLong", .in = std::string(64, 'x'), .out = ""}),
    RowName());

class AddressForm : public testing::TestWithParam<TextRow> {};
TEST_P(AddressForm, IsThePrintersClientAddressForm) { EXPECT_EQ(ClientAddressForm(GetParam().in), GetParam().out); }
INSTANTIATE_TEST_SUITE_P(
    ClientInfo, AddressForm,
    testing::Values(
        TextRow{.name = "IPv4", .in = "192.168.1.10", .out = "IC0A8010A"},
        TextRow{.name = "IPv4PartTooBig", .in = "192.168.1.256", .out = ""},
        TextRow{.name = "IPv4PartTooLong", .in = "192.168.1.0010", .out = ""},
        TextRow{.name = "IPv4ThreeParts", .in = "10.1.2", .out = ""},
        TextRow{.name = "LinkLocalIPv6", .in = "fe80::1", .out = "6fe80" + std::string(24, '0') + "0001"},
        TextRow{.name = "IPv6ZoneDropped", .in = "fe80::1%eth0", .out = "6fe80" + std::string(24, '0') + "0001"},
        TextRow{.name = "IPv6Full",
                .in = "2001:DB8:0:1:2:3:4:5",
                .out = std::string("62001") + "0DB8" + "0000" + "0001" + "0002" + "0003" + "0004" + "0005"},
        TextRow{.name = "IPv6TwoGaps", .in = "1::2::3", .out = ""},
        TextRow{.name = "NoAddress", .in = "localhost", .out = ""}),
    RowName());

constexpr char kRoutes[] =
    "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
    "wlan0\t00000000\t0101A8C0\t0003\t0\t0\t600\t00000000\t0\t0\t0\n"
    "eth0\t00000000\t0100000A\t0003\t0\t0\t100\t00000000\t0\t0\t0\n"
    "eth0\t0000000A\t00000000\t0001\t0\t0\t100\t00FFFFFF\t0\t0\t0\n";
constexpr char kRoutes6[] =
    "00000000000000000000000000000000 00 00000000000000000000000000000000 00 fe800000000000000000000000000001 "
    "00000400 00000001 00000000 00000003     eth1\n"
    "00000000000000000000000000000000 00 00000000000000000000000000000000 00 00000000000000000000000000000000 "
    "ffffffff 00000001 00000000 00200200       lo\n";
constexpr unsigned kUp = IFF_UP | IFF_RUNNING;

struct AddressRow {
  const char* name;
  std::string routes;
  std::vector<InterfaceAddress> addresses;
  std::optional<std::string> primary;
};

class Primary : public testing::TestWithParam<AddressRow> {};
TEST_P(Primary, ComesFromTheDefaultRoutesInterface) {
  EXPECT_EQ(PrimaryAddress(GetParam().routes, kRoutes6, GetParam().addresses), GetParam().primary);
}
INSTANTIATE_TEST_SUITE_P(ClientInfo, Primary,
                         testing::Values(AddressRow{.name = "IPv4OfTheLowestMetric",
                                                    .routes = kRoutes,
                                                    .addresses = {{"wlan0", kUp, AF_INET, "192.168.1.5"},
                                                                  {"eth0", kUp, AF_INET, "10.0.0.7"}},
                                                    .primary = "10.0.0.7"},
                                         AddressRow{.name = "IPv6WhenTheIPv4InterfaceIsDown",
                                                    .routes = kRoutes,
                                                    .addresses = {{"eth0", IFF_UP, AF_INET, "10.0.0.7"},
                                                                  {"eth1", kUp, AF_INET6, "2001:db8::1"},
                                                                  {"eth1", kUp, AF_INET6, "fe80::2"},
                                                                  {"eth1", kUp, AF_INET6, "2001:db8::9"}},
                                                    .primary = "2001:db8::9"},
                                         AddressRow{.name = "LinkLocalWhenNothingElse",
                                                    .routes = "",
                                                    .addresses = {{"eth1", kUp, AF_INET6, "fe80::2"},
                                                                  {"eth1", kUp, AF_INET6, "FE80::3"}},
                                                    .primary = "FE80::3"},
                                         AddressRow{.name = "NoActiveInterface",
                                                    .routes = kRoutes,
                                                    .addresses = {{"eth0", 0, AF_INET, "10.0.0.7"}},
                                                    .primary = std::nullopt}),
                         RowName());

TEST(ClientInfo, PrettyHostNameOfMachineInfo) {
  EXPECT_EQ(PrettyHostName("CHASSIS=laptop\nPRETTY_HOSTNAME=\"Ann's \\\"Mac\\\"\"\n"), "Ann's \"Mac\"");
  EXPECT_EQ(PrettyHostName("CHASSIS=laptop\n"), "");
}

}  // namespace
