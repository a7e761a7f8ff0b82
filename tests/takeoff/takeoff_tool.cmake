# Runs the built ponderix-takeoff as a user runs it (under Wine for the Windows build, through
# EMULATOR) and checks exit codes, standard error, the report and the files it writes.
#   -DEMULATOR= -DTOOL= -DSEEDDB= -DSECTIONS=<section CSV folder> -DCASES=<lists> -DWORK=<scratch>
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
# run(<name> <expected exit code> args...): stdout in out_<name>, stderr in err_<name>.
# The tool writes something on every way out (the report, or a message on standard error); a run
# that wrote nothing at all never got as far as the tool, which happens now and then when Wine
# starts a program on a busy machine, and is run once more.
function(run name expected)
    foreach(attempt 1 2)
        execute_process(COMMAND ${EMULATOR} ${TOOL} ${ARGN}
            WORKING_DIRECTORY ${WORK} INPUT_FILE ${stdin_file}
            OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE code)
        if(NOT out STREQUAL "" OR NOT err STREQUAL "" OR code EQUAL 0)
            break()
        endif()
        message(STATUS "${name}: no output at all (exit code ${code}); running it again")
    endforeach()
    set(out_${name} "${out}" PARENT_SCOPE)
    set(err_${name} "${err}" PARENT_SCOPE)
    if(NOT code STREQUAL "${expected}")
        message(SEND_ERROR "${name}: exit code ${code}, expected ${expected}\n${err}")
    endif()
    # One line on standard error for every failure and for lines left out, none otherwise.
    string(REGEX MATCHALL "\n" breaks "${err}")
    list(LENGTH breaks lines)
    if(expected EQUAL 0 AND NOT err STREQUAL "")
        message(SEND_ERROR "${name}: unexpected standard error: ${err}")
    elseif(NOT expected EQUAL 0 AND NOT lines EQUAL 1 AND NOT name MATCHES "^usage")
        message(SEND_ERROR "${name}: ${lines} lines on standard error: ${err}")
    endif()
endfunction()

function(expect_in name text needle)
    string(FIND "${text}" "${needle}" at)
    if(at EQUAL -1)
        message(SEND_ERROR "${name}: \"${needle}\" not found in:\n${text}")
    endif()
endfunction()

set(stdin_file ${CASES}/worked_example.csv)
execute_process(COMMAND ${EMULATOR} ${SEEDDB} --force ${SECTIONS} ${WORK}/weight.db
    RESULT_VARIABLE seeded OUTPUT_QUIET)
if(NOT seeded EQUAL 0)
    message(FATAL_ERROR "seeddb failed: ${seeded}")
endif()

# The worked example: two lines left out (exit 1), the rest weighed by the calculator's rules.
run(utf8 1 --csv ${WORK}/out.csv --html ${WORK}/out.html ${CASES}/worked_example.csv)
foreach(needle "   2  管材" "615.550" "2585.31" "157.000" "942.000" "60.042" "未计入合计的行"
        "规格: 型号 '14c' 不在表 '槽钢' 中" "长度: '6..0' 不是一个有效的浮点值"
        "共 12 行，已计入 10 行，未计入合计 2 行")
    expect_in(utf8 "${out_utf8}" "${needle}")
endforeach()
expect_in(utf8 "${err_utf8}" "2 行未计入合计")

# The same list saved as GB18030, and read from standard input: the same report.
run(gb18030 1 ${CASES}/worked_example_gb18030.csv)
if(NOT out_gb18030 STREQUAL out_utf8)
    message(SEND_ERROR "the GB18030 list gives another report:\n${out_gb18030}")
endif()
run(stdin 1 -)
if(NOT out_stdin STREQUAL out_utf8)
    message(SEND_ERROR "the list on standard input gives another report:\n${out_stdin}")
endif()

# The CSV report: UTF-8 with a BOM, CR LF, the figures of the table.
file(READ ${WORK}/out.csv csv_hex LIMIT 3 HEX)
if(NOT csv_hex STREQUAL "efbbbf")
    message(SEND_ERROR "out.csv does not start with a UTF-8 BOM: ${csv_hex}")
endif()
file(READ ${WORK}/out.csv csv)
expect_in(csv "${csv}" "\n2,管材,108×4,6,10,7.85,碳钢,61.555,615.550,2585.31\n")
# CMake reads text without its CRs: look for the line end among the bytes.
file(READ ${WORK}/out.csv csv_hex HEX)
expect_in(csv "${csv_hex}" "323538352e33310d0a")  # "2585.31" CR LF
file(READ ${WORK}/out.html html)
expect_in(html "${html}" "<svg")
expect_in(html "${html}" "<td class=\"n\">615.550</td>")

# Only the lines that are fine: exit 0, nothing on standard error. A list of shapes alone needs
# no section database.
file(WRITE ${WORK}/good.csv "类型,规格,长度,数量\n管材,108×4,6,1\n圆棒,20,6,2\n")
run(good 0 --db ${WORK}/none.db ${WORK}/good.csv)
expect_in(good "${out_good}" "共 2 行，已计入 2 行，未计入合计 0 行")

# Lists that cannot be read at all: exit 2 and one line saying why.
file(WRITE ${WORK}/empty.csv "")
file(WRITE ${WORK}/noheader.csv "管材,108×4,6,1\n")
run(missing 2 ${WORK}/no-such-list.csv)
expect_in(missing "${err_missing}" "清单 '${WORK}/no-such-list.csv' 不存在")
run(binary 2 ${WORK}/weight.db)
expect_in(binary "${err_binary}" "不是 CSV 文本")
run(empty 2 ${WORK}/empty.csv)
expect_in(empty "${err_empty}" "没有表头行")
run(noheader 2 ${WORK}/noheader.csv)
expect_in(noheader "${err_noheader}" "没有“类型”列")
run(nodb 2 --db ${WORK}/none.db ${CASES}/worked_example.csv)
expect_in(nodb "${err_nodb}" "型钢数据库 '${WORK}/none.db' 不存在")
run(notdb 2 --db ${WORK}/good.csv ${CASES}/worked_example.csv)
expect_in(notdb "${err_notdb}" "无法打开型钢数据库")
run(usage 2 --sum ${WORK}/good.csv)
expect_in(usage "${err_usage}" "用法: ponderix-takeoff")
run(unwritable 2 --csv ${WORK}/no-such-folder/out.csv ${WORK}/good.csv)
expect_in(unwritable "${err_unwritable}" "无法写入")
