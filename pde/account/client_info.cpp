#include "client_info.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <sstream>

#include "bundle.h"
#include "input_validation.h"
#include "settings_access.h"
#include "text_encoding.h"
#include "ticket_keys.h"

namespace OVQ_PDE_NS {

namespace {

constexpr unsigned kRouteUp = 0x0001;
constexpr unsigned kRouteReject = 0x0200;

bool IsHexDigit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

std::string UpperCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string IPv4Form(std::string_view address) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string form = "I";
  size_t start = 0;
  for (int part = 0; part < 4; ++part) {
    size_t end = part < 3 ? address.find('.', start) : address.size();
    if (end == std::string_view::npos) return {};
    std::string_view digits = address.substr(start, end - start);
    if (digits.empty() || digits.size() > 3) return {};
    int value = 0;
    for (char c : digits) {
      if (c < '0' || c > '9') return {};
      value = value * 10 + (c - '0');
    }
    if (value > 255) return {};
    form += kHex[value >> 4];
    form += kHex[value & 0xF];
    start = end + 1;
  }
  return form;
}

// The groups of an IPv6 text, "::" standing for the missing zero groups.
std::string IPv6Form(std::string_view address) {
  address = address.substr(0, address.find('%'));
  std::vector<std::string> head, tail;
  std::vector<std::string>* groups = &head;
  size_t gap = address.find("::");
  if (gap != std::string_view::npos && address.find("::", gap + 1) != std::string_view::npos) return {};
  auto split = [](std::string_view text, std::vector<std::string>* out) {
    if (text.empty()) return true;
    size_t start = 0;
    for (;;) {
      size_t end = text.find(':', start);
      std::string_view group = text.substr(start, end == std::string_view::npos ? text.size() - start : end - start);
      if (group.empty() || group.size() > 4) return false;
      for (char c : group) {
        if (!IsHexDigit(c)) return false;
      }
      out->emplace_back(4 - group.size(), '0');
      out->back() += group;
      if (end == std::string_view::npos) return true;
      start = end + 1;
    }
  };
  if (gap == std::string_view::npos) {
    if (!split(address, groups) || head.size() != 8) return {};
  } else {
    if (!split(address.substr(0, gap), &head) || !split(address.substr(gap + 2), &tail)) return {};
    if (head.size() + tail.size() > 7) return {};
    head.resize(8 - tail.size(), "0000");
    head.insert(head.end(), tail.begin(), tail.end());
  }
  std::string form = "6";
  for (const std::string& group : head) form += group;
  return form;
}

std::vector<std::string> Fields(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> fields;
  for (std::string field; in >> field;) fields.push_back(field);
  return fields;
}

bool IsActive(const std::vector<InterfaceAddress>& addresses, const std::string& name) {
  for (const InterfaceAddress& address : addresses) {
    if (address.name == name) return (address.flags & IFF_UP) != 0 && (address.flags & IFF_RUNNING) != 0;
  }
  return false;
}

std::string ReadFileText(const char* path) {
  std::string text;
  return ReadWholeFile(path, &text) ? text : std::string();
}

std::string TwoDigits(int value) {
  char text[16] = {};
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

}  // namespace

std::string ComputerNameTicketText(std::string_view utf8) {
  if (utf8.size() >= 64) return {};
  std::string name(CutUTF8(utf8, 32));
  std::u16string units;
  if (UTF8ToUTF16(name, &units) && IsAllSpace(units)) return {};
  for (size_t at = name.find("\xE2\x80\x99"); at != std::string::npos; at = name.find("\xE2\x80\x99", at + 3)) {
    name.replace(at, 3, "___");
  }
  for (char& c : name) {
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte > 0xFE) c = '_';
  }
  return name;
}

std::string ClientAddressForm(std::string_view address) {
  if (address.find('.') != std::string_view::npos) return IPv4Form(address);
  if (address.find(':') != std::string_view::npos) return IPv6Form(address);
  return {};
}

std::string DefaultRouteInterface(std::string_view routeTable) {
  std::istringstream in{std::string(routeTable)};
  std::string best;
  long bestMetric = -1;
  for (std::string line; std::getline(in, line);) {
    // Iface Destination Gateway Flags RefCnt Use Metric Mask ...
    std::vector<std::string> f = Fields(line);
    if (f.size() < 8 || f[1] != "00000000" || f[7] != "00000000") continue;
    unsigned flags = static_cast<unsigned>(std::strtoul(f[3].c_str(), nullptr, 16));
    long metric = std::strtol(f[6].c_str(), nullptr, 10);
    if ((flags & kRouteUp) == 0 || (flags & kRouteReject) != 0) continue;
    if (bestMetric < 0 || metric < bestMetric) {
      best = f[0];
      bestMetric = metric;
    }
  }
  return best;
}

std::string DefaultRouteInterface6(std::string_view ipv6RouteTable) {
  std::istringstream in{std::string(ipv6RouteTable)};
  std::string best;
  unsigned long bestMetric = 0;
  bool found = false;
  for (std::string line; std::getline(in, line);) {
    // destination prefix source prefix next-hop metric refcount use flags interface
    std::vector<std::string> f = Fields(line);
    if (f.size() < 10 || f[0] != std::string(32, '0') || f[1] != "00" || f[9] == "lo") continue;
    unsigned long flags = std::strtoul(f[8].c_str(), nullptr, 16);
    unsigned long metric = std::strtoul(f[5].c_str(), nullptr, 16);
    if ((flags & kRouteUp) == 0 || (flags & kRouteReject) != 0) continue;
    if (!found || metric < bestMetric) {
      best = f[9];
      bestMetric = metric;
      found = true;
    }
  }
  return best;
}

std::optional<std::string> PrimaryAddress(std::string_view routeTable, std::string_view ipv6RouteTable,
                                          const std::vector<InterfaceAddress>& addresses) {
  std::string interface4 = DefaultRouteInterface(routeTable);
  if (!interface4.empty() && IsActive(addresses, interface4)) {
    for (const InterfaceAddress& address : addresses) {
      if (address.name == interface4 && address.family == AF_INET) return address.address;
    }
  }
  std::string interface6 = DefaultRouteInterface6(ipv6RouteTable);
  if (interface6.empty() || !IsActive(addresses, interface6)) return std::nullopt;
  std::optional<std::string> global, linkLocal;
  for (const InterfaceAddress& address : addresses) {
    if (address.name != interface6 || address.family != AF_INET6) continue;
    (UpperCase(address.address).rfind("FE80", 0) == 0 ? linkLocal : global) = address.address;
  }
  return global ? global : linkLocal;
}

std::string PrettyHostName(std::string_view machineInfo) {
  std::istringstream in{std::string(machineInfo)};
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("PRETTY_HOSTNAME=", 0) != 0) continue;
    std::string value = line.substr(16);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
      char quote = value.front();
      std::string unquoted;
      for (size_t i = 1; i + 1 < value.size(); ++i) {
        if (quote == '"' && value[i] == '\\' && i + 2 < value.size()) ++i;
        unquoted += value[i];
      }
      value = unquoted;
    }
    return value;
  }
  return {};
}

std::string ComputerName() {
  std::string pretty = PrettyHostName(ReadFileText("/etc/machine-info"));
  return pretty.empty() ? NetworkHostName() : pretty;
}

std::string NetworkHostName() {
  char name[65] = {};
  if (gethostname(name, sizeof name - 1) != 0) return {};
  return name;
}

std::optional<std::string> SystemPrimaryAddress() {
  std::vector<InterfaceAddress> addresses;
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return std::nullopt;
  for (ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
    if (entry->ifa_addr == nullptr) continue;
    int family = entry->ifa_addr->sa_family;
    char text[INET6_ADDRSTRLEN] = {};
    const void* raw = nullptr;
    if (family == AF_INET) raw = &reinterpret_cast<sockaddr_in*>(entry->ifa_addr)->sin_addr;
    if (family == AF_INET6) raw = &reinterpret_cast<sockaddr_in6*>(entry->ifa_addr)->sin6_addr;
    if (raw == nullptr || inet_ntop(family, raw, text, sizeof text) == nullptr) continue;
    addresses.push_back(InterfaceAddress{entry->ifa_name, entry->ifa_flags, family, text});
  }
  freeifaddrs(list);
  return PrimaryAddress(ReadFileText("/proc/net/route"), ReadFileText("/proc/net/ipv6_route"), addresses);
}

std::string PrintDateText(std::time_t moment) {
  std::tm local{};
  localtime_r(&moment, &local);
  char text[32] = {};
  std::snprintf(text, sizeof text, "%02d/%02d/%04d", local.tm_mon + 1, local.tm_mday, local.tm_year + 1900);
  return text;
}

std::string PrintTimeText(std::time_t moment) {
  std::tm local{};
  localtime_r(&moment, &local);
  return TwoDigits(local.tm_hour) + ":" + TwoDigits(local.tm_min) + ":" + TwoDigits(local.tm_sec);
}

int SetInformationToTicket(PMPrintSettings settings) {
  std::time_t now = std::time(nullptr);
  std::optional<std::string> address = SystemPrimaryAddress();
  std::vector<std::pair<const char*, std::string>> values = {
      {kJBAMacHostNameStringTicketKey, ComputerNameTicketText(ComputerName())},
      {kJBAHostNameStringTicketKey, NetworkHostName()},
  };
  if (address) values.emplace_back(kJBAIPAddressStringTicketKey, ClientAddressForm(*address));
  values.emplace_back(kJBASrrlPrintDateTicketKey, PrintDateText(now));
  values.emplace_back(kJBASrrlPrintTimeTicketKey, PrintTimeText(now));
  for (const auto& [key, value] : values) {
    if (int status = SetValueToSettingsWithTicketKeyAndLock(value.c_str(), settings, key, false); status != 0) {
      return status;
    }
  }
  return 0;
}

}  // namespace OVQ_PDE_NS
