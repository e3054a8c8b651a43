// The special folders the shell components can be pointed at, with their CSIDL numbers.
#pragma once

namespace svc {

enum TSvSpecialRootFolder {
  sfAltStartup, sfAppData, sfBitBucket, sfCommonAltStartup, sfCommonDesktopDir, sfCommonFavorites,
  sfCommonPrograms, sfCommonStartMenu, sfCommonStartup, sfConnections, sfControls, sfCookies, sfDesktop,
  sfDesktopDir, sfDrives, sfFavorites, sfFonts, sfHistory, sfInternet, sfInternetCache, sfNetHood, sfNetwork,
  sfNone, sfPersonal, sfPrinters, sfPrintHood, sfPrograms, sfRecentFiles, sfSendTo, sfStartMenu, sfStartup,
  sfTemplates
};

// The CSIDL number of folder; sfNone and sfDesktop both give 0, so test for sfNone first.
int SpecialFolderCsidl(TSvSpecialRootFolder folder);

// True for the folders that shell versions below 4.7 do not know (CSIDL 1 and 29 to 34).
bool SpecialFolderNeedsShell47(TSvSpecialRootFolder folder);

}  // namespace svc
