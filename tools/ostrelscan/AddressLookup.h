#pragma once

// winsock2.h must come before windows.h.
#include <winsock2.h>
#include <ws2tcpip.h>

#include "base/UniqueResource.h"

#include <string>

namespace ostrel::ostrelscan {

struct AddressListTraits {
    using Type = addrinfo*;
    static Type invalid() { return nullptr; }
    static void close(Type list) { freeaddrinfo(list); }
};
using UniqueAddressList = UniqueResource<AddressListTraits>;

// The TCP addresses of HOST:PORT. A numeric host needs no name service; a
// name is given at most `milliseconds`, after which the lookup is left to
// end on its own and WSAETIMEDOUT is returned. 0 or a getaddrinfo error.
int LookUpAddress(const std::string& host, const std::string& port, unsigned long milliseconds,
                  UniqueAddressList& addresses);

}  // namespace ostrel::ostrelscan
