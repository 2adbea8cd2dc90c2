<%
// A banner place: set CodiceBanner to the place's code before including
// this file. Pictures are shown as images, other files as a link.
function HtmlBanner(testo) {
    return String(testo === undefined || testo === null ? "" : testo)
        .replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;").replace(/"/g, "&quot;");
}
var banner = Server.CreateObject("QTR50.Banner");
if (banner.Seleziona(CodiceBanner)) {
    var immagineBanner = /\.(gif|jpe?g|png|webp)$/i.test(banner.Percorso);
    var aperturaBanner = banner.Link != ""
        ? '<a href="' + HtmlBanner(banner.Link) + '"' + (banner.FlagEsterno ? ' target="_blank" rel="noopener"' : '') + '>'
        : '';
    var chiusuraBanner = banner.Link != "" ? '</a>' : ''; %>
<div class="banner" id="banner-<%= HtmlBanner(CodiceBanner) %>"><%= aperturaBanner %><% if (immagineBanner) { %><img src="<%= HtmlBanner(banner.Percorso) %>" alt=""><% } else { %><span class="banner-file"><%= HtmlBanner(banner.Percorso) %></span><% } %><%= chiusuraBanner %></div>
<% }
banner.Free(); %>
