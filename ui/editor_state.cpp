#include "editor_state.h"

CString PackageFolder;
CString CurrentPackageName;
int EditorMode = NothingLoaded;
ImageBanks PartImageStore;
PackageHeaderBlock PackageHeader;
