#ifndef SETUP_VERSIONINFO_H
#define SETUP_VERSIONINFO_H
// One place for the program's version. setup.EN_ carries the same "FileVersion":
// the language switcher refuses a module whose version differs.
#define SETUP_VERSION_BIN 2,3,0,41540
#define SETUP_VERSION_STR "2.3.0.41540"
#define SETUP_COMPANY_STR "Update Setup Project"
#define SETUP_PRODUCT_STR "Update Setup"
#endif
