# Copies the bundled data set beside the program, once: a Data folder that is already there
# may hold the user's edits and is never overwritten.
if(NOT EXISTS "${DEST}")
    file(COPY "${SOURCE}/" DESTINATION "${DEST}")
    file(MAKE_DIRECTORY "${DEST}/../Weapons")
endif()
