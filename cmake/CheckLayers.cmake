# The program's layers and what each may include. Run as a test:
#   cmake -DSOURCE_DIR=<src> -P CheckLayers.cmake
# The core (model, link, report, rules, textio) is plain C++: no Qt header and no folder of the
# desktop app. Above it the message service (ui), then the pages and dialogs (editors) and the
# service dialogs (service) side by side, then the windows that hold them (app).
set(core model link report rules textio)
set(forbidden_core "ui;editors;service;app")
set(forbidden_ui "editors;service;app")
set(forbidden_editors "service;app")
set(forbidden_service "editors;app")

set(broken "")
function(check_folder folder forbidden no_qt)
  file(GLOB files "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(file ${files})
    file(STRINGS "${file}" includes REGEX "^#include [<\"]")
    foreach(line ${includes})
      foreach(other ${forbidden})
        if(line MATCHES "^#include \"${other}/")
          list(APPEND broken "${folder}/${line}  (in ${file})")
        endif()
      endforeach()
      if(no_qt AND line MATCHES "^#include <Q")
        list(APPEND broken "${folder}/${line}  (a Qt header in ${file})")
      endif()
    endforeach()
  endforeach()
  set(broken "${broken}" PARENT_SCOPE)
endfunction()

foreach(folder ${core})
  check_folder(${folder} "${forbidden_core}" TRUE)
endforeach()
check_folder(ui "${forbidden_ui}" FALSE)
check_folder(editors "${forbidden_editors}" FALSE)
check_folder(service "${forbidden_service}" FALSE)

if(broken)
  list(JOIN broken "\n  " text)
  message(FATAL_ERROR "Includes against the layers:\n  ${text}")
endif()
message(STATUS "Every include follows the layers")
