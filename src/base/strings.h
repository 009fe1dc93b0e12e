#pragma once
// The program's string table: user-facing texts, verbatim, one header per subsystem.

#include "strings_almanac.h"
#include "strings_app.h"
#include "strings_desktop.h"
#include "strings_dgps.h"
#include "strings_link.h"
#include "strings_plot.h"
#include "strings_terminal.h"
#include "strings_views.h"
