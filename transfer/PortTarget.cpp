#include "transfer/PortTarget.h"

#include "transfer/ComPortSetting.h"
#include "transfer/TransferTexts.h"

#include <sys/stat.h>

#include <charconv>

#include <sys/stat.h>

namespace trv::transfer {
namespace {

PortTargetParse failure(QLatin1StringView message, std::string_view text)
{
    return {std::nullopt, message.arg(QString::fromUtf8(text.data(), qsizetype(text.size())))};
}

// "HOST:PORT" after the scheme; HOST may be "[IPv6]". The socket transport takes one word per
// parameter, so a host holds no blanks.
std::optional<PortTarget> parseTcp(std::string_view rest)
{
    std::string_view host;
    std::string_view portText;
    if (rest.starts_with('[')) {
        const std::size_t close = rest.find(']');
        if (close == std::string_view::npos || close + 1 >= rest.size() || rest[close + 1] != ':')
            return std::nullopt;
        host = rest.substr(1, close - 1);
        portText = rest.substr(close + 2);
        if (host.empty() || host.find_first_not_of("0123456789abcdefABCDEF:.") != std::string_view::npos ||
            host.find(':') == std::string_view::npos)
            return std::nullopt;
    } else {
        const std::size_t colon = rest.rfind(':');
        if (colon == std::string_view::npos || colon == 0)
            return std::nullopt;
        host = rest.substr(0, colon);
        portText = rest.substr(colon + 1);
        if (host.find_first_of(" \t[]/:") != std::string_view::npos)
            return std::nullopt;
    }
    int port = 0;
    const auto [end, error] = std::from_chars(portText.data(), portText.data() + portText.size(), port);
    if (portText.empty() || error != std::errc{} || end != portText.data() + portText.size() || port < 1 ||
        port > 65535)
        return std::nullopt;
    PortTarget target;
    target.kind = PortTarget::Kind::Tcp;
    target.host = std::string(host);
    target.tcpPort = port;
    return target;
}

PortTargetParse parseDeviceOrTcp(std::string_view text, QLatin1StringView unknownMessage)
{
    if (text.starts_with(kTcpScheme)) {
        if (std::optional<PortTarget> target = parseTcp(text.substr(kTcpScheme.size())))
            return {target, {}};
        return failure(text::kBadTcpAddress, text);
    }
    if (text.starts_with('/') && text.find('\0') == std::string_view::npos) {
        PortTarget target;
        target.kind = PortTarget::Kind::Device;
        target.device = std::string(text);
        return {target, {}};
    }
    return failure(unknownMessage, text);
}

} // namespace

PortTarget PortTarget::com(int port)
{
    PortTarget target;
    target.kind = Kind::ComPort;
    target.comPort = port;
    return target;
}

PortTargetParse PortTarget::parse(std::string_view text)
{
    if (const int port =
            ComPortSetting::parsePortName(QString::fromUtf8(text.data(), qsizetype(text.size()))))
        return {com(port), {}};
    return parseDeviceOrTcp(text, text::kUnknownPort);
}

PortTargetParse PortTarget::parseMapping(std::string_view text)
{
    return parseDeviceOrTcp(text, text::kUnknownMapping);
}

QString PortTarget::deviceProblem() const
{
    struct stat info {};
    if (kind != Kind::Device || ::stat(device.c_str(), &info) != 0 || S_ISCHR(info.st_mode))
        return {};
    return QString(text::kNotADevice).arg(QString::fromStdString(device));
}

std::string PortTarget::text() const
{
    switch (kind) {
    case Kind::ComPort:
        return ComPortSetting::kPrefix + std::to_string(comPort);
    case Kind::Device:
        return device;
    case Kind::Tcp: {
        const bool v6 = host.find(':') != std::string::npos;
        return std::string(kTcpScheme) + (v6 ? "[" + host + "]" : host) + ":" + std::to_string(tcpPort);
    }
    }
    return {};
}

std::string PortTarget::socketClientParams() const
{
    return "CLIENT SN " + host + " " + std::to_string(tcpPort);
}

} // namespace trv::transfer
