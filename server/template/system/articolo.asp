<!--#include virtual="comune.inc"-->
<!--#include virtual="contenuti.inc"-->
<%
// One article: its texts, its vote, its form, its links and files, and
// the way to send it to a friend.
var contenuti = Server.CreateObject("QTR50.Contenuti");
contenuti.SetConn(generale.Conn);
var articoloCorrente = Numero(Posta() ? Request.Form("IDArticolo") : Request.QueryString("IDArticolo"));
var esitoVoto = "";
if (Posta() && String(Request.Form("Azione")) === "vota" && articoloCorrente > 0)
    esitoVoto = contenuti.VotaArticolo(articoloCorrente, String(Request.Form("Voto"))) ? "ok" : "no";
var trovato = articoloCorrente > 0 && contenuti.LeggiArticolo(articoloCorrente);
var paginaCorrente = Indirizzo("/articolo.asp", { IDArticolo: articoloCorrente });
var titoloPagina = trovato ? String(contenuti.TitoloArticolo) : T("PMTCONTENUTI", "Articoli");
var percorso = "";
if (trovato) {
    var titolo = String(contenuti.TitoloArticolo);
    if (contenuti.LeggiPrimaSezioneArticolo()) {
        percorso = String(contenuti.PercorsoSezioni);
        while (contenuti.LeggiSezioneArticoloSuccessiva()) {}
    }
}

// One field of the article's form, as its kind draws it.
function CampoModulo() {
    var tipo = contenuti.TipoCampoModulo;
    var nome = H(contenuti.NomeCampoModulo);
    var codice = H(contenuti.CodiceCampoModulo);
    var id = "campo-" + codice + (tipo === 12 ? "-" + contenuti.IDOpzioneCampoModulo : "");
    var lunghezza = contenuti.LunghezzaCampoModulo > 0 ? " maxlength=\"" + contenuti.LunghezzaCampoModulo + "\"" : "";
    switch (tipo) {
    case 10:
        return "<p class=\"etichetta-modulo\"><strong>" + nome + "</strong></p>";
    case 11:
        return "<label class=\"scelta\"><input type=\"checkbox\" name=\"" + codice + "\" value=\"" + H(T("PMTSI", "Sì")) + "\"> " + nome + "</label>";
    case 12:
        return "<label class=\"scelta\" for=\"" + id + "\"><input type=\"radio\" id=\"" + id + "\" name=\"" + codice + "\" value=\"" + contenuti.IDOpzioneCampoModulo + "\"> " + nome + "</label>";
    case 13:
        var html = "<label for=\"" + id + "\">" + nome + "</label><select id=\"" + id + "\" name=\"" + codice + "\">";
        do {
            html += "<option value=\"" + contenuti.IDOpzioneCampoModulo + "\">" + H(contenuti.OpzioneCampoModulo) + "</option>";
        } while (contenuti.LeggiOpzioneCampoSuccessiva());
        return html + "</select>";
    default:
        var tipoInput = tipo === 1 || tipo === 2 ? "number" : tipo === 5 ? "date" : "text";
        var passo = tipo === 2 ? " step=\"any\"" : "";
        return "<label for=\"" + id + "\">" + nome + "</label><input id=\"" + id + "\" type=\"" + tipoInput + "\" name=\"" + codice + "\"" + lunghezza + passo + ">";
    }
}
%>
<!--#include virtual="testa.inc"-->
<% if (!trovato) {
       NonTrovato(); %>
<section class="avviso" id="articolo-non-trovato">
  <h1><%= H(T("PMTCONTENUTI", "Articoli")) %></h1>
  <p><%= H(T("PMTNONTROVATO", "La pagina che cercavi non c'è.")) %></p>
  <p><a class="bottone" href="/sezioni.asp"><%= H(T("PMTCONTENUTI", "Articoli")) %></a></p>
</section>
<% } else { %>
<nav class="briciole percorso" aria-label="breadcrumb"><a href="/sezioni.asp"><%= H(T("PMTCONTENUTI", "Articoli")) %></a><% if (percorso !== "") { %> › <%= percorso %><% } %></nav>
<article class="articolo" id="articolo" data-articolo="<%= contenuti.IDArticolo %>">
  <h1><%= H(titolo) %></h1>
<%   if (String(contenuti.SottotitoloArticolo) !== "") { %>
  <p class="sottotitolo"><%= H(contenuti.SottotitoloArticolo) %></p>
<%   } %>
<%   if (String(contenuti.AutoreArticolo) !== "" || String(contenuti.DataPubblicazioneArticolo) !== "") { %>
  <p class="autore"><%= H(contenuti.AutoreArticolo) %><% if (String(contenuti.AutoreArticolo) !== "" && String(contenuti.DataPubblicazioneArticolo) !== "") { %> · <% } %><%= H(contenuti.DataPubblicazioneArticolo) %></p>
<%   } %>
  <div class="corpo-articolo" id="testo-articolo"><%= String(contenuti.TestoArticolo) %></div>
</article>

<%   if (contenuti.FlagVotoArticolo) {
         var media = Number(contenuti.VotoMedioArticolo); %>
<section class="riquadro" id="voto">
  <h2><%= H(T("PMTVOTO", "Il tuo voto")) %></h2>
  <p><span class="stelle" aria-hidden="true"><%= "★★★★★".substring(0, Math.round(media)) %><%= "☆☆☆☆☆".substring(0, 5 - Math.round(media)) %></span>
     <span id="voto-medio"><%= H(T("PMTVOTOMEDIO", "Media [N] su [M] voti", media.toFixed(1).replace(".", ","), contenuti.NumeroVotantiArticolo)) %></span></p>
<%       if (esitoVoto === "ok") { %>
  <p class="messaggio ok" role="status" id="voto-registrato"><%= H(T("MSGVOTOREGISTRATO", "Grazie, il tuo voto è stato registrato.")) %></p>
<%       } else if (esitoVoto === "no") { %>
  <p class="messaggio errore" role="alert" id="voto-rifiutato"><%= H(T("ERRVOTO", "Hai già votato questo articolo.")) %></p>
<%       } %>
  <form class="voto" method="post" action="/articolo.asp">
    <input type="hidden" name="IDArticolo" value="<%= contenuti.IDArticolo %>">
    <input type="hidden" name="Azione" value="vota">
    <label for="scelta-voto"><%= H(T("PMTVOTO", "Il tuo voto")) %></label>
    <select id="scelta-voto" name="Voto">
<%       for (var v = 5; v >= 1; --v) { %>
      <option value="<%= v %>"><%= v %></option>
<%       } %>
    </select>
    <button class="bottone" type="submit"><%= H(T("PMTVOTA", "Vota")) %></button>
  </form>
</section>
<%   } %>

<%   if (contenuti.FlagModulo) { %>
<section class="riquadro" id="modulo-articolo">
  <h2><%= H(contenuti.NomeModulo) %></h2>
  <p><%= Paragrafi(contenuti.DescrizioneModulo) %></p>
  <form class="modulo" method="post" action="/inviamodulo.asp" id="modulo">
    <input type="hidden" name="IDModulo" value="<%= contenuti.IDModulo %>">
    <input type="hidden" name="IDArticolo" value="<%= contenuti.IDArticolo %>">
<%       if (String(contenuti.CodiceCampoModulo) !== "") {
             do { %>
    <%= CampoModulo() %>
<%           } while (contenuti.LeggiCampoModuloSuccessivo());
         } %>
    <button class="bottone" type="submit"><%= H(T("PMTINVIA", "Invia")) %></button>
  </form>
</section>
<%   } %>

<%   if (contenuti.LeggiPrimoLinkArticolo()) { %>
<section class="riquadro" id="link-articolo">
  <h2><%= H(T("PMTLINK", "Link")) %></h2>
  <ul class="allegati">
<%       do {
             var url = String(contenuti.URLLinkArticolo);
             var sicuro = /^(https?:\/\/|\/)/i.test(url); %>
    <li><span><% if (sicuro) { %><a href="<%= H(url) %>"<% if (contenuti.FlagEsternoLinkArticolo) { %> rel="noopener" target="_blank"<% } %>><%= H(contenuti.TitoloLinkArticolo || url) %></a><% } else { %><%= H(contenuti.TitoloLinkArticolo) %><% } %></span><span class="dettaglio"><%= H(contenuti.DescrizioneLinkArticolo) %></span></li>
<%       } while (contenuti.LeggiLinkArticoloSuccessivo()); %>
  </ul>
</section>
<%   } %>

<%   if (contenuti.LeggiPrimoFileArticolo()) { %>
<section class="riquadro" id="file-articolo">
  <h2><%= H(T("PMTFILE", "File da scaricare")) %></h2>
  <ul class="allegati">
<%       do { %>
    <li class="riga-file"><a href="<%= H(contenuti.PercorsoFileArticolo) %>" download><%= H(contenuti.TitoloFileArticolo || contenuti.CodiceFileArticolo) %></a><span class="dettaglio"><%= H(String(contenuti.DimensioneFileArticolo).replace(".", ",")) %> <%= H(contenuti.UMDimensioneFileArticolo) %></span></li>
<%       } while (contenuti.LeggiFileArticoloSuccessivo()); %>
  </ul>
</section>
<%   } %>

<%   if (contenuti.FlagSegnalazioneArticolo) { %>
<p><a class="bottone" id="link-segnala" href="<%= H(Indirizzo("/segnala.asp", { IDArticolo: contenuti.IDArticolo })) %>"><%= H(T("PMTSEGNALA", "Segnala a un amico")) %></a></p>
<%   } %>
<% }
contenuti.Free(); %>
<!--#include virtual="piede.inc"-->
