// Resource and child-window identifiers of the main window, shared with
// the resource script and with the test driver that finds controls by ID.
#pragma once

#define IDI_VELLUMARK 1
#define IDR_FORM_VELLUMARK 100

#define IDC_INFOFRAME 1001
#define IDC_FRAME_FOLDERS 1002
#define IDC_LIST_FOLDERS 1003
#define IDC_PROCESS 1004
#define IDC_SELECT_ALL 1005
#define IDC_REFRESH 1006
#define IDC_FRAME_OPTIONS 1007
#define IDC_READ_ONLY 1008
#define IDC_PROGRESS 1009
#define IDC_STATUS 1010
