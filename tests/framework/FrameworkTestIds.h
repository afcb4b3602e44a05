#pragma once

#define IDD_TEST_WORKER 1
#define IDD_TEST_PAGE1 10
#define IDD_TEST_PAGE2 11
#define IDD_TEST_PAGE3 12
#define IDC_TEST_STATUS 100
