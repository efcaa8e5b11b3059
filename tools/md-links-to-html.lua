-- pandoc filter: links between the Markdown documents point at their HTML versions.
function Link(link)
  if not link.target:match("^%a+://") then
    link.target = link.target:gsub("%.md$", ".html"):gsub("%.md#", ".html#")
  end
  return link
end
