# Writes the desktop entry with the installed program's absolute path and
# installs it. Run at install time, when CMAKE_INSTALL_PREFIX is the prefix
# actually used; expects template, bindir, datadir and staged to be set.

if(IS_ABSOLUTE "${bindir}")
  set(program "${bindir}/marrowpine")
else()
  set(program "${CMAKE_INSTALL_PREFIX}/${bindir}/marrowpine")
endif()

# Exec is quoted when the path holds a character the desktop entry format
# reserves (a blank in a home folder's name, for example): inside quotes ",
# `, $ and \ take a backslash, and the value's own escaping doubles every
# backslash again. "%" introduces field codes, so it is doubled.
set(exec "${program}")
if(exec MATCHES "[] \t\n\"'\\\\><~|&;$*?#()`[]")
  string(REPLACE "\\" "\\\\" exec "${exec}")
  string(REPLACE "\"" "\\\"" exec "${exec}")
  string(REPLACE "`" "\\`" exec "${exec}")
  string(REPLACE "$" "\\$" exec "${exec}")
  set(exec "\"${exec}\"")
  string(REPLACE "\\" "\\\\" exec "${exec}")
endif()
string(REPLACE "%" "%%" exec "${exec}")

set(MARROWPINE_EXEC "${exec}")
configure_file("${template}" "${staged}" @ONLY)
if(IS_ABSOLUTE "${datadir}")
  set(applications "${datadir}/applications")
else()
  set(applications "${CMAKE_INSTALL_PREFIX}/${datadir}/applications")
endif()
file(INSTALL DESTINATION "${applications}" TYPE FILE FILES "${staged}")
