#include "app/shared/config_defaults.h"

namespace app {

const std::vector<std::string>& DefaultProgramIniLines() {
  static const std::vector<std::string> lines = {
      "[Skin]", "SkinName=Neutral", "[Remove]", "Method=", "Folder=", "Scan=", "[DF]", "mode=1"};
  return lines;
}

const std::vector<std::string>& DefaultExtIniLines() {
  static const std::vector<std::string> lines = {
      "*.$$$=MS-DOS Temporary Files=true",
      "*.--*=Temporary Files=true",
      "*.??~=Temporary Files=true",
      "*._dd=Temporary Files=true",
      "*._mp=Temporary Files=true",
      "*.~*=Temporary Files=true",
      "*.bac=Backup Files=true",
      "*.bak=Backup Files=true",
      "*.bup=Backup Files=false",
      "*.chk=Log Files=true",
      "*.gid=Windows Help Backup Files=true",
      "*.ms=Microsoft Backup Files=true",
      "*.old=Backup Files=true",
      "*.shd=Backup Files=true",
      "*.svs=Backup Files=true",
      "*.tmp=Temporary Files=true",
      "*.wbk=Word Backup Files=true",
      "*.?$?=Temporary Files=true",
      "*.?^?=Temporary Files=true",
      "*.^=Temporary Files=true",
      "*.___=Temporary Files=true",
      "*._dtemp=Temporary Files=true",
      "*.nu3=Norton Utilities Backup Files=true",
      "*.$db=Temporary dBase IV Files=true",
      "*.cpy=Backup Files=true",
      "*.db$=Temporary dBase Files=true",
      "*.dmp=Potential Junk=true",
      "*.err=Error Files=true",
      "*.fic=Potential Junk=true",
      "*.ftg=Temporary Files=true",
      "*.fts=Temporary Files=true",
      "*.nav=Backup Files=true",
      "*log.txt=Log file=false",
      "*_ofidx.*=Microsoft Find Fast Indexer file=true",
      "*.nch=Temporary files created by MS Outlook Express=true",
      "anti-vir.dat=Created by F-Prot Anit-Virus=true",
      "chklist.*=Temporary file=true",
      "ffastun.*=Microsoft Find Fast Indexer file=true",
      "files.bbs=List of descriptions=true",
      "iebak.dat=Internet Explorer Junk file=true",
      "modemdet.txt=Windows diagnostic file=true",
      "mscreate.dir=Directory information file=true",
      "pspbrwse.jbf=Paint Shop Folder Image Information Cache file=true",
      "scandisk.log=ScanDisc log file=true",
      "suhdlog.dat=Windows diagnostic file=false",
      "system.1st=Windows diagnostic file=true",
      "tewrk.h*=TEdit temporary file=true",
      "thumbs.db=Multimedia database file=true",
      "twain???.mtx=Temporary file=true"
  };
  return lines;
}

const std::vector<std::string>& DefaultDupFinderExtIniLines() {
  static const std::vector<std::string> lines = {
      "[Office]", "1=*.ppt", "2=*.doc", "3=*.xls", "4=*.xml", "5=*.rtf", "6=*.txt", "7=*.dot", "8=*.wps", "9=*.pdf",
      "[Archives]", "1=*.rar", "2=*.7z", "3=*.ace", "4=*.arj", "5=*.bz2", "6=*.cab", "7=*.gz", "8=*.iso", "9=*.tar", "10=*.zip", "11=*.jar", "12=*.arc", "13=*.msi",
      "[Images]", "1=*.ani", "2=*.bmp", "3=*.cur", "4=*.djv", "5=*.emf", "6=*.eps", "7=*.gif", "8=*.icl", "9=*.ico", "10=*.jpg", "11=*.kdc", "12=*.pic", "13=*.pdf", "14=*.png", "15=*.ppm", "16=*.ps", "17=*.psd", "18=*.tga", "19=*.tiff", "20=*.wmf",
      "[Music]", "1=*.mp2", "2=*.mp3", "3=*.mpa", "4=*.wav", "5=*.au", "6=*.aif", "7=*.aifc", "8=*.aiff", "9=*.mid", "10=*.midi", "11=*.ogg",
      "[Video]", "1=*.avi", "2=*.m3u", "3=*.m1v", "4=*.mov", "5=*.mpeg", "6=*.mpg", "7=*.swf", "8=*.wmv",
      "[Program]", "1=*.exe", "2=*.dll", "3=*.com", "4=*.ocx", "5=*.bat",
      "[Program source]", "1=*.asm", "2=*.c", "3=*.cpp", "4=*.cs", "5=*.h", "6=*.pas", "7=*.js", "8=*.vb", "9=*.java",
      "[Web pages]", "1=*.htm", "2=*.html", "3=*.shtml", "4=*.php", "5=*.asp", "6=*.aspx", "7=*.xml"
  };
  return lines;
}

const std::vector<std::string>& DisabledRegistryFileNames() {
  static const std::vector<std::string> names = {
      "allRun.ini",  "allRunOnce.ini",  "allRunOnceEx.ini",  "allRunServices.ini", "allRunServicesOnce.ini",
      "currRun.ini", "currRunOnce.ini", "currRunOnceEx.ini", "currRunServices.ini"};
  return names;
}

}  // namespace app
