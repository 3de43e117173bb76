#pragma once

#include <QString>

enum class StoreStatus;

// What the windows say of a store operation's outcome: the message for a
// failure, empty for Ok and for a conflict copy left where it is.
QString storeStatusText(StoreStatus status);
