// A socket file nobody listens on, as a program that crashed leaves it.
#pragma once

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <QByteArray>

#include <cstring>

#include <gtest/gtest.h>

namespace cartulo::testing {

inline void LeaveStaleSocket(const QByteArray& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(static_cast<std::size_t>(path.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
}

}  // namespace cartulo::testing
