#pragma once

#include <QIcon>

// The small pictures the property editors share, built from images kept in the module.
namespace cqpwicons {
// An arrow turning back: resets a property to its default.
QIcon revertIcon();
// A green data store: picks a model node for a connector.
QIcon modelIcon();
} // namespace cqpwicons
