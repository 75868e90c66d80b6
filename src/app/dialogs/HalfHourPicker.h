// The "..." choice of a start on the hour or half hour: 48 times in a short scrolling list.
#pragma once

#include "model/DateTime.h"

class QWidget;

namespace tv {

// Opens the list of "00:00" ... "23:30" below anchor (above it when there is no room), with
// the half hour at or before current's time selected and in view, and waits for the user.
// Answers the chosen item's command id (32871 + k for k x 30 minutes, see HalfHourMenu.h), or
// 0 when the user closed the list without choosing.
int PickHalfHourCommand(QWidget* anchor, const DateTime& current);

}  // namespace tv
