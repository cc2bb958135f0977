// Ids made to clash for scripts/check-resource-ids.sh, beside ids of different kinds that may
// share a value.
#define IDS_ONE 34040
#define IDS_TWO 34040
#define ID_WITH_PROMPT 0x8000
#define IDS_ON_THE_PROMPT 32768
#define ID_NO_PROMPT 57681
#define IDS_BESIDE_THE_COMMAND 57681
#define ID_OTHER_COMMAND 32768
#define IDD_FORM 130
#define IDI_ICON 130
#define IDI_OTHER_ICON 131
#define IDR_MAIN 131
#define IDC_EDIT 1000
#define IDC_EDIT 1001
