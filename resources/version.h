#pragma once
// Version numbers of the programs, for their version resources. The
// release zips are named after Qorv's release (scripts/package.sh reads it).
#define QORV_VERSION 1,2,0,0
#define QORV_VERSION_TEXT "1.2.0.0"
#define QORV_RELEASE_TEXT "1.2"
#define QORVUPDATE_VERSION 0,2,0,0
#define QORVUPDATE_VERSION_TEXT "0.2.0.0"
// The console companion ships with Qorv and carries its version.
#define VANTRELCLI_VERSION QORV_VERSION
#define VANTRELCLI_VERSION_TEXT QORV_VERSION_TEXT
