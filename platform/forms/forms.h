#pragma once
// Everything a form unit needs of the form and control layer.
#include "platform/forms/application.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/file_dialogs.h"
#include "platform/forms/form.h"
#include "platform/forms/image.h"
#include "platform/forms/ini_file.h"
#include "platform/forms/menus.h"
#include "platform/forms/page_control.h"
#include "platform/forms/status_bar.h"
#include "platform/forms/std_controls.h"
#include "platform/forms/timer.h"
