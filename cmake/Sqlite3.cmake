# SQLite 3 amalgamation (third_party/sqlite3, fetched and checksummed by tools/fetch-sqlite.sh),
# compiled into a static library that the section store (data/) links publicly.

set(PONDERIX_SQLITE_DIR ${PROJECT_SOURCE_DIR}/third_party/sqlite3)
if(NOT EXISTS ${PONDERIX_SQLITE_DIR}/sqlite3.c OR NOT EXISTS ${PONDERIX_SQLITE_DIR}/sqlite3.h)
    message(FATAL_ERROR "SQLite amalgamation missing in ${PONDERIX_SQLITE_DIR}: "
                        "run tools/fetch-sqlite.sh (or make sqlite)")
endif()

add_library(ponderix_sqlite3 STATIC ${PONDERIX_SQLITE_DIR}/sqlite3.c)
# SYSTEM: its header raises no warnings in our code.
target_include_directories(ponderix_sqlite3 SYSTEM PUBLIC ${PONDERIX_SQLITE_DIR})
target_compile_definitions(ponderix_sqlite3 PRIVATE
    SQLITE_THREADSAFE=0              # one GUI thread; no mutexes, no pthread dependency
    SQLITE_DEFAULT_FOREIGN_KEYS=1
    SQLITE_DQS=0                     # "x" is always an identifier, never a string literal
    SQLITE_DEFAULT_MEMSTATUS=0
    SQLITE_OMIT_LOAD_EXTENSION       # no dlopen / LoadLibrary of extensions
    SQLITE_OMIT_DEPRECATED
    SQLITE_OMIT_SHARED_CACHE
    SQLITE_LIKE_DOESNT_MATCH_BLOBS
    SQLITE_ENABLE_COLUMN_METADATA    # sqlite3_column_table_name, for errors naming the table
)
# Third-party code: no warnings, and no sanitizer or fuzzer instrumentation (we bind every value
# as a copy, so SQLite never reads our buffers after a call returns).
target_compile_options(ponderix_sqlite3 PRIVATE -w -fno-sanitize=all)
if(NOT WIN32)
    target_link_libraries(ponderix_sqlite3 PUBLIC m)
endif()
