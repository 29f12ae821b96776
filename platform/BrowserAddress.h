#pragma once

#include <QUrl>

namespace platform {

// The addresses the service browser tells apart.

// A page of the web, the only kind a page may lead to.
inline bool isWebAddress(const QUrl& url)
{
    return url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http");
}

// A page bundled with the program, which only the program itself opens.
inline bool isBundledAddress(const QUrl& url)
{
    return url.scheme() == QLatin1String("qrc");
}

// The site of a web address as the user is shown it: its scheme and host, an
// international host in the xn-- form that cannot pass for another, so that a
// look-alike page on another site is told apart.
inline QString shownSite(const QUrl& url)
{
    return url.scheme() + QStringLiteral("://") + url.host(QUrl::FullyEncoded);
}

// Whether two addresses belong to the same site as the engine counts them:
// scheme, host and port.
inline bool isSameOrigin(const QUrl& one, const QUrl& other)
{
    return one.scheme() == other.scheme() && one.host() == other.host() &&
           one.port() == other.port();
}

} // namespace platform
