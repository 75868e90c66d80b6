// Backups, exports and the imports of foreign files: every transfer format, for the commands
// that offer them all.
#pragma once

#include "BackupFile.h"
#include "ExportFile.h"
#include "HolidayFile.h"
#include "PlumtraceFiles.h"
