// Identifiers shared by the resource script and the code: menus, menu
// commands, accelerators and the controls of every window. Plain #defines
// so that windres reads them too.
#pragma once

// The program icon, given by the packaging resources.
#define IDI_FOLVANE 1
#define IDR_MAINMENU 100
#define IDR_LISTPOPUP 101
#define IDR_ACCELERATORS 102

// Menu commands of MainForm1 (the names of the menu tree, upper-cased).
#define IDM_EXIT 1001
#define IDM_SELECT 1010
#define IDM_VIEW 1011
#define IDM_SAVE 1012
#define IDM_D_SAVE 1013
#define IDM_CLEAR 1014
#define IDM_CH0 1020 /* .. IDM_CH9 1029, in column order */
#define IDM_CH1 1021
#define IDM_CH2 1022
#define IDM_CH3 1023
#define IDM_CH4 1024
#define IDM_CH5 1025
#define IDM_CH6 1026
#define IDM_CH7 1027
#define IDM_CH8 1028
#define IDM_CH9 1029
#define IDM_CHTO 1030
#define IDM_CHCT 1031
#define IDM_PDF 1032
#define IDM_HELP 1040
#define IDM_VER 1041
#define IDLPM_COPY 1050
#define IDLPM_DEL 1051

// Controls of MainForm1.
#define IDC_SELCTFILE 2001
#define IDC_START 2002
#define IDC_FILESAVE 2003
#define IDC_DIRECT_SAVE 2004
#define IDC_CLEAR 2005
#define IDC_CLOSE 2006
#define IDC_LABEL1 2007
#define IDC_LABEL2 2008
#define IDC_LIST1 2009
#define IDC_RESULTLIST 2010
#define IDC_RESULT 2011
#define IDC_CHECK0 2020 /* .. IDC_CHECK9 2029 */
#define IDC_CHECK_TOTAL 2030
#define IDC_CHECK_CTOTAL 2031
#define IDC_CHECK_RTOTAL 2032
#define IDC_ARESOTEXT 2033
#define IDC_LABEL3 2034
#define IDC_BRESOTEXT 2035
#define IDC_LABEL4 2036
#define IDC_LINE1 2037

// Controls of the secondary windows. The buttons that Enter and Escape
// press carry IDOK and IDCANCEL, as IsDialogMessage sends those.
#define IDC_MESSAGE 3001
#define IDC_MESSAGE2 3002
#define IDC_PICTURE 3003
#define IDC_PROGRESS 3004

#define IDC_DRVLIST 3101
#define IDC_NETCOMP 3102
#define IDC_DIRLIST 3103
#define IDC_FRAME1 3104
#define IDC_OPTION1 3105
#define IDC_OPTION2 3106
#define IDC_OPTION3 3107
#define IDC_COMMAND1 3108
#define IDC_FOLLIST 3109
#define IDC_FILELIST 3110
#define IDC_SELECT 3111
#define IDC_DELETE 3112
#define IDC_SELECTLIST 3113
#define IDC_SEL_LABEL1 3114
#define IDC_SEL_LABEL2 3115
#define IDC_SEL_LABEL3 3116
#define IDC_SEL_LABEL4 3117
#define IDC_SEL_LABEL5 3118

#define IDC_LBLTITLE 3201
#define IDC_LBLVERSION 3202
#define IDC_LBLDESCRIPTION 3203
#define IDC_LBLDISCLAIMER 3204
#define IDC_CMDSYSINFO 3205
#define IDC_PICICON 3206
