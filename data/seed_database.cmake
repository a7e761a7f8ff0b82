# Build step of the Windows build: writes bin/weight.db, the database the program opens, from the
# shipped section tables (one CSV file per table) with the seeddb tool, run under the emulator.
#   cmake -DEMULATOR=... -DSEEDDB=seeddb.exe -DCSV_DIR=... -DOUTPUT=.../weight.db -P this file
# A weight.db changed since seeddb wrote it (the user edited sections in the program) is kept:
# seeddb refuses to replace it, and the build goes on with a note instead of failing.

if(NOT IS_DIRECTORY "${CSV_DIR}")
    message(FATAL_ERROR "seed_database: the section tables folder ${CSV_DIR} does not exist. "
            "weight.db is built from its CSV files: place the shared folder (with sections/) "
            "beside the source tree, as ../shared.")
endif()
file(GLOB csv_files "${CSV_DIR}/*.csv")
if(NOT csv_files)
    message(FATAL_ERROR "seed_database: no .csv files in ${CSV_DIR}")
endif()

get_filename_component(output_dir "${OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${output_dir}")
execute_process(COMMAND ${EMULATOR} "${SEEDDB}" "${CSV_DIR}" "${OUTPUT}"
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(STRIP "${out}" out)
if(status EQUAL 0)
    message(STATUS "${out}")
elseif(status EQUAL 1 AND err MATCHES "Use --force to replace it")
    message(NOTICE "seed_database: note: ${OUTPUT} changed since it was seeded (sections edited "
            "in the program?) and is kept as it is. Delete it to get the shipped tables back.")
else()
    message(FATAL_ERROR "seed_database: seeddb failed (exit ${status}):\n${out}\n${err}")
endif()
