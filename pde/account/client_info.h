// The client information a job-accounting job carries: the computer name (the
// pretty host name, else the host name), the network host name, the primary
// address (of the default route's interface: IPv4 first, then IPv6) in the
// printer's client address form, and the date and time of printing.
#pragma once
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pde_namespace.h"
#include "print_settings.h"

namespace OVQ_PDE_NS {

// One address of a network interface, as getifaddrs reports it.
struct InterfaceAddress {
  std::string name;
  unsigned flags = 0;  // IFF_UP, IFF_RUNNING, ...
  int family = 0;      // AF_INET or AF_INET6
  std::string address;
};

// The computer name as the ticket holds it: empty when its UTF-8 form takes 64
// bytes or more or holds only spaces; else cut to 32 bytes (whole characters),
// every byte outside 0x20 to 0xFE as "_" and every U+2019 as "___".
std::string ComputerNameTicketText(std::string_view utf8);
// "I" and the four parts of a dotted IPv4 address as two upper-case hex digits
// each; "6" and the 32 hex digits of an IPv6 address (zone dropped, "::"
// expanded, letters as given); empty for anything else.
std::string ClientAddressForm(std::string_view address);

// The interface of the default route in /proc/net/route or /proc/net/ipv6_route
// text (the lowest metric wins); empty when there is none.
std::string DefaultRouteInterface(std::string_view routeTable);
std::string DefaultRouteInterface6(std::string_view ipv6RouteTable);
// The primary address: the first IPv4 address of the IPv4 default route's
// interface when it is up and running; else, through the IPv6 default route,
// the last address of its interface that does not begin with "FE80", else the
// last that does; nullopt when none.
std::optional<std::string> PrimaryAddress(std::string_view routeTable, std::string_view ipv6RouteTable,
                                          const std::vector<InterfaceAddress>& addresses);

// The pretty host name of a machine-info file (PRETTY_HOSTNAME=), else "".
std::string PrettyHostName(std::string_view machineInfo);
// This computer's name: the pretty host name of /etc/machine-info, else the host name.
std::string ComputerName();
// The network host name (at most 64 bytes).
std::string NetworkHostName();
// This computer's primary address, from /proc/net and getifaddrs.
std::optional<std::string> SystemPrimaryAddress();
// mm/dd/yyyy and hh:mm:ss of a moment in the local time zone.
std::string PrintDateText(std::time_t moment);
std::string PrintTimeText(std::time_t moment);

// Writes the client information into the print settings (unlocked), stopping at
// the first write that fails: 0, or that write's status.
int SetInformationToTicket(PMPrintSettings settings);

}  // namespace OVQ_PDE_NS
