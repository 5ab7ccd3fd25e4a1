#pragma once
// Resources of the framework tests, numbered apart from the program's.
#define IDD_TEST_FORM       9001  // a form: one visible static text and one hidden
#define IDR_TEST_DOCTYPE    9002  // a document type without frame resources
#define IDC_TEST_STATIC     1000
#define IDC_TEST_DOOMED     1001
#define IDR_TEST_FRAME      9003  // a frame: icon, menu, accelerators and title
