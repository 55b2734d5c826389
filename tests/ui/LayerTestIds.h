// Ids of the dialog layer's test template.
#pragma once

#define IDD_LAYER_TEST 500
#define IDC_ANY_INT 501
#define IDC_ANY_UINT 502
#define IDC_ANY_SHORT 503
#define IDC_ANY_WORD 504
#define IDC_PERCENT 505
#define IDC_NAME 506
#define IDC_FLAG 507
#define IDC_KIND 508
#define IDC_CHOICES 509
#define IDC_ADDRESS 510
#define IDC_PICKER 511
#define IDC_THROW 512
#define IDC_PAGES 513
