# Run by CPack on the staged files before they are packed: strips the programs the way dh_strip does.
list(TRANSFORM CPACK_QUARNEL_PROGRAMS PREPEND ${CPACK_TEMPORARY_INSTALL_DIRECTORY})
execute_process(COMMAND strip --remove-section=.comment --remove-section=.note ${CPACK_QUARNEL_PROGRAMS}
  COMMAND_ERROR_IS_FATAL ANY)
