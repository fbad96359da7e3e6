# cmake -DCMARK=cmark-gfm -DIN=guide.md -DOUT=guide.html -P guide_html.cmake
# The guide as one HTML page: cmark-gfm's rendering (tables included) inside a page that
# names its encoding and title, with a little style for reading on screen.
execute_process(COMMAND ${CMARK} --extension table --to html ${IN}
                OUTPUT_VARIABLE body RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmark-gfm could not render ${IN}")
endif()
file(WRITE ${OUT}.tmp "<!DOCTYPE html>
<html lang=\"zh-CN\">
<head>
<meta charset=\"utf-8\">
<title>KX系列基桩低应变分析系统 使用说明</title>
<style>
body { max-width: 60em; margin: 2em auto; padding: 0 1em; line-height: 1.6;
       font-family: \"WenQuanYi Micro Hei\", \"Noto Sans CJK SC\", sans-serif; }
img { max-width: 100%; border: 1px solid #ccc; }
table { border-collapse: collapse; }
th, td { border: 1px solid #ccc; padding: 0.2em 0.6em; }
pre, code { background: #f4f4f4; }
pre { padding: 0.6em; overflow-x: auto; }
</style>
</head>
<body>
${body}</body>
</html>
")
file(RENAME ${OUT}.tmp ${OUT})
