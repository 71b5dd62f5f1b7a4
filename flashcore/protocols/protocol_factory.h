#pragma once
// Makes the protocol object of a protocol class named by the catalogue.
#include <memory>

#include "flashcore/core/protocol_kind.h"
#include "flashcore/protocols/protocol.h"

// A new protocol object; null for None.
std::unique_ptr<Cprotocol> makeProtocol(ProtocolKind kind);
