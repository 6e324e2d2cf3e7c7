# Run by `cmake --install`: creates the results folder group-owned by the pupils' group, mode
# 2775 (new files keep the group; no sticky bit, since a save replaces the report whoever
# wrote it last). An existing folder keeps its contents; only owner group and mode are set.
set(folder "$ENV{DESTDIR}/var/lib/VESK")
message(STATUS "Results folder: ${folder} (group ${PESTROL_PUPILS_GROUP}, mode 2775)")
file(MAKE_DIRECTORY "${folder}")
execute_process(COMMAND chgrp "${PESTROL_PUPILS_GROUP}" "${folder}"
  RESULT_VARIABLE chgrp_result ERROR_VARIABLE chgrp_error)
if(NOT chgrp_result EQUAL 0)
  message(WARNING "Could not give ${folder} to group ${PESTROL_PUPILS_GROUP}: ${chgrp_error}"
    "Run as root, or set PESTROL_PUPILS_GROUP to the pupils' group.")
endif()
# After chgrp, which may clear the set-group-ID bit.
execute_process(COMMAND chmod 2775 "${folder}" COMMAND_ERROR_IS_FATAL ANY)
