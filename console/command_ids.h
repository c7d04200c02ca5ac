// SPDX-License-Identifier: MIT
// Menu, toolbar, accelerator and window ids, defined once.
#pragma once

/// Command and window ids. Unscoped so that a value is usable directly as a wxWindowID / event id.
enum CommandId : int {
    ID_COMMAND_FIRST = 5031,

    // The console's own edit commands.
    ID_CONSOLE_CUT = 5031,
    ID_CONSOLE_COPY = 5032,
    ID_CONSOLE_PASTE = 5033,
    ID_CONSOLE_DELETE = 5034,

    // File menu.
    ID_FILE_OPEN = 6102,
    ID_FILE_CLOSE = 6103,
    ID_FILE_SAVE_AS = 6105,

    // Edit menu of the main window.
    ID_EDIT_CUT = 6141,
    ID_EDIT_COPY = 6142,
    ID_EDIT_PASTE = 6143,
    ID_EDIT_RESET = 6144,

    // Update-check result notification, a text-updated event.
    ID_UPDATE_CHECK_RESULT = 6290,

    // Help menu.
    ID_HELP_CONTENTS = 6899,
    ID_HELP_CHECK_UPDATE = 6900,
    ID_HELP_ABOUT = 6901,

    // Windows.
    ID_CONSOLE = 6999,
    ID_MAIN_WINDOW = 7000,

    // View menu and toolbar.
    ID_VIEW_NUMPAD = 7019,
    ID_VIEW_VARIABLES = 7020,
    ID_VIEW_FUNCTIONS = 7021,
    ID_VIEW_SOLVER = 7022,
    ID_VIEW_UNIT_CONVERTER = 7023,
    ID_VIEW_BASE_CONVERTER = 7024,
    ID_VIEW_ALWAYS_ON_TOP = 7026,

    // Insert menu: functions and constants. The ids do not follow the menu order.
    ID_INSERT_EXP = 7029,
    ID_INSERT_LN = 7030,
    ID_INSERT_SQRT = 7031,
    ID_INSERT_POW = 7032,
    ID_INSERT_ABS = 7033,
    ID_INSERT_CEIL = 7034,
    ID_INSERT_INT = 7035,
    ID_INSERT_TRIGONOMETRIC = 7036,
    ID_INSERT_SIN = 7037,
    ID_INSERT_COS = 7038,
    ID_INSERT_TAN = 7039,
    ID_INSERT_ASIN = 7040,
    ID_INSERT_ACOS = 7041,
    ID_INSERT_ATAN = 7042,
    // The submenus of every function of the function table, by category, and of the user's functions.
    ID_INSERT_MORE = 7043,
    ID_INSERT_USER = 7044,
    ID_INSERT_CONSTANTS = 7048,
    ID_INSERT_PI = 7049,
    ID_INSERT_ELECTRON_CHARGE = 7050,
    ID_INSERT_ELECTRON_MASS = 7051,
    ID_INSERT_BOLTZMANN = 7052,
    ID_INSERT_PLANCK = 7053,
    ID_INSERT_SPEED_OF_LIGHT = 7054,
    ID_INSERT_PERMITTIVITY = 7055,
    ID_INSERT_AVOGADRO = 7056,

    // Options menu.
    ID_OPTIONS_COLORS = 7060,
    ID_OPTIONS_HIGHLIGHTING = 7064,
    ID_OPTIONS_VERBOSE = 7066,
    ID_OPTIONS_BASE_BINARY = 7067,
    ID_OPTIONS_BASE_OCTAL = 7068,
    ID_OPTIONS_BASE_DECIMAL = 7069,
    ID_OPTIONS_BASE_HEXADECIMAL = 7070,
    ID_OPTIONS_LIVE_ANSWER = 7071,
    ID_OPTIONS_ANGLE = 7072,
    ID_OPTIONS_ANGLE_RADIANS = 7073,
    ID_OPTIONS_ANGLE_DEGREES = 7074,
    ID_OPTIONS_ANGLE_GRADIANS = 7075,

    // Run menu and the console's view and edit commands.
    ID_RUN_EXECUTE = 7078,
    ID_VIEW_ZOOM_NORMAL = 7080,
    ID_VIEW_ZOOM_IN = 7081,
    ID_VIEW_ZOOM_OUT = 7082,
    ID_EDIT_REDO = 7083,
    ID_EDIT_UNDO = 7084,
    ID_CONSOLE_RESET = 7088,

    // Window ids of the tool dialogs; their controls use the block above each id.
    ID_DIALOG_NUMPAD = 7400,
    ID_DIALOG_VARLIST = 7500,
    ID_DIALOG_COLORS = 7600,
    ID_DIALOG_SOLVER = 7700,
    ID_DIALOG_CONVERTER = 7800,
    ID_DIALOG_INTEGER = 7900,

    // Insert > More Functions: one id per entry of the function table, one per category submenu; Insert > Your
    // Functions: one id per user function, in the order they were defined.
    ID_INSERT_TABLE_FIRST = 8000,
    ID_INSERT_TABLE_LAST = 8199,
    ID_INSERT_CATEGORY_FIRST = 8200,
    ID_INSERT_CATEGORY_LAST = 8219,
    ID_INSERT_USER_FIRST = 8300,
    ID_INSERT_USER_LAST = 8363,

    ID_COMMAND_LAST = 8363
};
