#include "transfer/PortAddress.h"

#include <charconv>

namespace trv::transfer {

bool isTcpAddress(std::string_view text)
{
    return text.starts_with(kTcpScheme);
}

std::optional<TcpAddress> parseTcpAddress(std::string_view text)
{
    if (!isTcpAddress(text))
        return std::nullopt;
    text.remove_prefix(kTcpScheme.size());
    const std::size_t colon = text.rfind(':');
    if (colon == std::string_view::npos || colon == 0)
        return std::nullopt;
    const std::string_view host = text.substr(0, colon);
    const std::string_view portText = text.substr(colon + 1);
    // The socket transport takes one word per parameter: no blanks, no IPv6 brackets.
    if (host.find_first_of(" \t[]/:") != std::string_view::npos)
        return std::nullopt;
    int port = 0;
    const auto [end, error] = std::from_chars(portText.data(), portText.data() + portText.size(), port);
    if (error != std::errc{} || end != portText.data() + portText.size() || port < 1 || port > 65535)
        return std::nullopt;
    return TcpAddress{std::string(host), port};
}

std::string socketClientParams(const TcpAddress& address)
{
    return "CLIENT SN " + address.host + " " + std::to_string(address.port);
}

} // namespace trv::transfer
